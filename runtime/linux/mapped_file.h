#pragma once
// A file mapped read-only into memory: its pages are read from disk only when touched.

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace gd {

class MappedFile {
public:
    // Nothing, and the reason in `why`, when the file cannot be opened or mapped (an
    // empty file maps to no bytes and is refused too).
    static std::shared_ptr<const MappedFile> Open(const std::string& path, std::string* why = nullptr);
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    std::span<const uint8_t> bytes() const { return {data_, size_}; }

private:
    MappedFile(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    const uint8_t* data_;
    size_t size_;
};

}  // namespace gd
