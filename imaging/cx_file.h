#pragma once
// Byte streams of the image facade. CxFile is the abstract stream; CxIOFile works over
// an open stdio file; CxMemFile is a growable stream in memory, or a read-only view of
// bytes owned by someone else (a program resource), which it never copies.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <vector>

namespace gd {

class CxFile {
public:
    virtual ~CxFile() = default;
    // Reads up to `size` bytes; returns how many were read.
    virtual size_t Read(void* buffer, size_t size) = 0;
    // Writes `size` bytes; returns how many were written.
    virtual size_t Write(const void* buffer, size_t size) = 0;
    // Moves the position; origin is SEEK_SET, SEEK_CUR or SEEK_END.
    virtual bool Seek(int64_t offset, int origin) = 0;
    virtual int64_t Tell() const = 0;
    virtual int64_t Size() const = 0;
    bool Eof() const { return Tell() >= Size(); }
    // The bytes from the current position to the end when the stream lives in memory,
    // so a decoder can work on them in place; nothing for other streams.
    virtual std::optional<std::span<const uint8_t>> Remaining() const { return std::nullopt; }
};

class CxIOFile final : public CxFile {
public:
    CxIOFile() = default;
    // Opens `path` with an fopen mode ("rb", "wb"); IsOpen tells whether it worked.
    CxIOFile(const char* path, const char* mode);
    // Works over an already open file, which the caller keeps and closes.
    explicit CxIOFile(std::FILE* file) : file_(file) {}
    ~CxIOFile() override;
    CxIOFile(const CxIOFile&) = delete;
    CxIOFile& operator=(const CxIOFile&) = delete;

    bool IsOpen() const { return file_ != nullptr; }
    bool Close();

    size_t Read(void* buffer, size_t size) override;
    size_t Write(const void* buffer, size_t size) override;
    bool Seek(int64_t offset, int origin) override;
    int64_t Tell() const override;
    int64_t Size() const override;

private:
    std::FILE* file_ = nullptr;
    bool owned_ = false;
};

class CxMemFile final : public CxFile {
public:
    // An empty, growable stream.
    CxMemFile() = default;
    // A read-only view of `bytes`; they must outlive the stream.
    explicit CxMemFile(std::span<const uint8_t> bytes) : view_(bytes), viewing_(true) {}

    size_t Read(void* buffer, size_t size) override;
    size_t Write(const void* buffer, size_t size) override;  // 0 on a view
    bool Seek(int64_t offset, int origin) override;
    int64_t Tell() const override { return int64_t(pos_); }
    int64_t Size() const override { return int64_t(bytes().size()); }
    std::optional<std::span<const uint8_t>> Remaining() const override { return bytes().subspan(pos_); }

    std::span<const uint8_t> bytes() const { return viewing_ ? view_ : std::span<const uint8_t>(owned_); }
    // Hands the written bytes over to the caller (empty for a view).
    std::vector<uint8_t> Take();

private:
    std::vector<uint8_t> owned_;
    std::span<const uint8_t> view_;
    bool viewing_ = false;
    size_t pos_ = 0;
};

}  // namespace gd
