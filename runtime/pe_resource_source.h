#pragma once
// The payload of a made screensaver read from its file rather than from the running
// module: the resource table is parsed once from the file's bytes (headers and
// directories only), and each entry is then handed out as a view of those bytes. Over a
// mapped file this touches only the pages of what is actually shown or played, so a
// screensaver of hundreds of megabytes starts as fast as a small one.

#include <memory>
#include <span>
#include <string>

#include "resources/resource_table.h"
#include "runtime/resource_source.h"

namespace gd {

class PeResourceSource final : public ResourceSource {
public:
    // `bytes` is the whole file; `keep_alive` owns them (a mapping) and is held as long
    // as this source. Nothing and the reason in `why` when the file is no PE file with a
    // resource table.
    static std::unique_ptr<PeResourceSource> Parse(std::span<const uint8_t> bytes, std::shared_ptr<const void> keep_alive,
                                                   std::string* why = nullptr);

    // The first entry of integer type and id, whatever its language; nothing when the
    // entry is missing or its bytes do not lie wholly inside the file.
    std::optional<std::span<const uint8_t>> Find(uint16_t type, uint16_t id) const override;

private:
    PeResourceSource(std::span<const uint8_t> bytes, std::shared_ptr<const void> keep_alive, res::ResourceTable table)
        : bytes_(bytes), keep_alive_(std::move(keep_alive)), table_(std::move(table)) {}

    std::span<const uint8_t> bytes_;
    std::shared_ptr<const void> keep_alive_;
    res::ResourceTable table_;
};

}  // namespace gd
