// Project files (.psm), with the length-prefixed texts and the font descriptions they
// are made of. A project that loads must save to bytes that load as the same project.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/archive_string.h"
#include "common/byte_io.h"
#include "common/log_font.h"
#include "fuzz/fuzz_support.h"
#include "maker/project/project_file.h"

namespace {

class IgnoredMessages : public gd::MessageSink {
public:
    void ShowMessage(std::string_view) override {}
};

// Reads texts until the input runs out; each one, written again, reads back as the same
// text (not always as the same bytes: a code-page text that would read as UTF-8 is
// written in its wide form).
void ReadTexts(std::span<const uint8_t> bytes) {
    gd::ByteReader in(bytes);
    while (auto text = gd::ReadArchiveString(in)) {
        gd::ByteWriter out;
        gd::fuzz::Require(gd::WriteArchiveString(out, *text), "a text read can be written");
        gd::ByteReader back(out.bytes());
        auto again = gd::ReadArchiveString(back);
        gd::fuzz::Require(again && *again == *text && back.remaining() == 0, "a text reads back as written");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::span<const uint8_t> bytes(data, size);
    ReadTexts(bytes);
    gd::ByteReader fonts(bytes);
    while (gd::ReadLogFont(fonts)) {
    }

    IgnoredMessages messages;
    gd::CParamData project;
    if (!gd::LoadProject(bytes, project, messages)) return 0;
    gd::CParamData copy = project;
    std::vector<uint8_t> saved = gd::StoreProject(copy, messages);
    gd::fuzz::Require(copy == project, "saving keeps a loaded project as it was");
    gd::CParamData again;
    gd::fuzz::Require(gd::LoadProject(saved, again, messages), "a saved project loads");
    gd::fuzz::Require(again == project, "a saved project loads as it was");
    return 0;
}
