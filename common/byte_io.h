#pragma once
// Little-endian field access for the fixed byte layouts (payload records, project
// files, PE headers), and the big-endian reads picture formats need. Records are written and read field by field with these helpers,
// never by casting structs onto bytes.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace gd {

inline uint16_t ReadU16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
inline uint32_t ReadU32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
inline int32_t ReadI32(const uint8_t* p) { return int32_t(ReadU32(p)); }
inline uint64_t ReadU64(const uint8_t* p) { return uint64_t(ReadU32(p)) | (uint64_t(ReadU32(p + 4)) << 32); }

// Big-endian fields, as picture formats store them (PNG chunks, ISO boxes, JBIG headers).
inline uint16_t ReadU16BigEndian(const uint8_t* p) { return uint16_t((p[0] << 8) | p[1]); }
inline uint32_t ReadU32BigEndian(const uint8_t* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}

inline void WriteU16(uint8_t* p, uint16_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}
inline void WriteU32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}
inline void WriteI32(uint8_t* p, int32_t v) { WriteU32(p, uint32_t(v)); }
inline void WriteU64(uint8_t* p, uint64_t v) {
    WriteU32(p, uint32_t(v));
    WriteU32(p + 4, uint32_t(v >> 32));
}

// A fixed text field of `size` bytes: the text cut to `limit` bytes (limit < size keeps
// room for a NUL; limit == size allows a field with no NUL inside), then NUL padding.
inline void WriteFixedText(uint8_t* field, size_t size, size_t limit, std::string_view text) {
    std::memset(field, 0, size);
    size_t n = text.size() < limit ? text.size() : limit;
    if (n > size) n = size;
    std::memcpy(field, text.data(), n);
}

// Reads a fixed text field up to its first NUL, or the whole field when it has none.
inline std::string ReadFixedText(const uint8_t* field, size_t size) {
    const void* nul = std::memchr(field, 0, size);
    size_t n = nul ? size_t(static_cast<const uint8_t*>(nul) - field) : size;
    return std::string(reinterpret_cast<const char*>(field), n);
}

// Appends little-endian values to a growing byte buffer.
class ByteWriter {
public:
    void U8(uint8_t v) { bytes_.push_back(v); }
    void U16(uint16_t v) { Put(v, 2); }
    void U32(uint32_t v) { Put(v, 4); }
    void I32(int32_t v) { Put(uint32_t(v), 4); }
    void Bytes(std::span<const uint8_t> b) { bytes_.insert(bytes_.end(), b.begin(), b.end()); }
    void Text(std::string_view s) { bytes_.insert(bytes_.end(), s.begin(), s.end()); }
    std::vector<uint8_t>& bytes() { return bytes_; }
    std::vector<uint8_t> Take() { return std::move(bytes_); }

private:
    void Put(uint64_t v, int n) {
        for (int i = 0; i < n; ++i) bytes_.push_back(uint8_t(v >> (8 * i)));
    }
    std::vector<uint8_t> bytes_;
};

// Reads little-endian values from a byte span. A read past the end fails the reader
// (ok() becomes false, the value is 0) and never touches memory outside the span.
class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}
    uint8_t U8() { return Need(1) ? bytes_[pos_++] : 0; }
    uint16_t U16() { return Need(2) ? Advance(ReadU16(bytes_.data() + pos_), 2) : 0; }
    uint32_t U32() { return Need(4) ? Advance(ReadU32(bytes_.data() + pos_), 4) : 0; }
    int32_t I32() { return int32_t(U32()); }
    // The next n bytes, or an empty span (and a failed reader) when fewer remain.
    std::span<const uint8_t> Bytes(size_t n) {
        if (!Need(n)) return {};
        auto s = bytes_.subspan(pos_, n);
        pos_ += n;
        return s;
    }
    // Marks the input as malformed: every later read fails.
    void Fail() { ok_ = false; }
    size_t remaining() const { return ok_ ? bytes_.size() - pos_ : 0; }
    size_t position() const { return pos_; }
    bool ok() const { return ok_; }
    bool at_end() const { return ok_ && pos_ == bytes_.size(); }

private:
    bool Need(size_t n) {
        if (!ok_ || bytes_.size() - pos_ < n) {
            ok_ = false;
            return false;
        }
        return true;
    }
    template <class T> T Advance(T v, size_t n) {
        pos_ += n;
        return v;
    }
    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
    bool ok_ = true;
};

}  // namespace gd
