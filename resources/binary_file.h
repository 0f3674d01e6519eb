#pragma once
// A binary file with 64-bit offsets over the C library, so the same code runs on Linux and
// Windows. Reads are positioned; writes append at the current position.

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>

namespace gd::res {

class BinaryFile {
public:
    enum class Mode { kRead, kCreate };

    BinaryFile() = default;
    ~BinaryFile();
    BinaryFile(BinaryFile&& other) noexcept;
    BinaryFile& operator=(BinaryFile&& other) noexcept;
    BinaryFile(const BinaryFile&) = delete;
    BinaryFile& operator=(const BinaryFile&) = delete;

    bool Open(const std::string& path, Mode mode);
    bool is_open() const { return file_ != nullptr; }
    // Closes the file; false when buffered writes could not be flushed.
    bool Close();

    // The file's size in bytes, or nullopt-like UINT64_MAX when it cannot be told.
    uint64_t Size();
    // Fills `out` from `offset`; false when the file holds fewer bytes there.
    bool ReadAt(uint64_t offset, std::span<uint8_t> out);
    // Reads up to out.size() bytes at the current position; the count read.
    size_t ReadSome(std::span<uint8_t> out);
    bool Seek(uint64_t offset);
    bool Write(std::span<const uint8_t> bytes);
    bool WriteAt(uint64_t offset, std::span<const uint8_t> bytes);
    // Hands buffered writes to the system; false (errno set) when that fails.
    bool Flush();

private:
    std::FILE* file_ = nullptr;
};

}  // namespace gd::res
