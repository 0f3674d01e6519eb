#pragma once
// Random access to the bytes of a file or a buffer. The parser reads a PE file through
// this, a few bytes at a time, so it never needs the whole file in memory and never reads
// outside what the source holds.

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "resources/binary_file.h"

namespace gd::res {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual uint64_t size() const = 0;
    // Fills `out` with the bytes at `offset`; false (and `out` untouched or partly
    // filled) when that range is not wholly inside the source or cannot be read.
    virtual bool ReadAt(uint64_t offset, std::span<uint8_t> out) = 0;

    // True when [offset, offset + length) lies inside the source.
    bool Holds(uint64_t offset, uint64_t length) const {
        return offset <= size() && length <= size() - offset;
    }
};

class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::span<const uint8_t> bytes) : bytes_(bytes) {}
    uint64_t size() const override { return bytes_.size(); }
    bool ReadAt(uint64_t offset, std::span<uint8_t> out) override;

private:
    std::span<const uint8_t> bytes_;
};

class FileSource : public ByteSource {
public:
    // nullptr when the file cannot be opened or its size cannot be told.
    static std::unique_ptr<FileSource> Open(const std::string& path);
    uint64_t size() const override { return size_; }
    bool ReadAt(uint64_t offset, std::span<uint8_t> out) override;

private:
    BinaryFile file_;
    uint64_t size_ = 0;
};

}  // namespace gd::res
