#include "resources/binary_file.h"

#include <utility>

#include "common/native_file.h"

namespace gd::res {

namespace {

int SeekTo(std::FILE* f, uint64_t offset, int whence) {
#ifdef _WIN32
    return _fseeki64(f, int64_t(offset), whence);
#else
    return fseeko(f, off_t(offset), whence);
#endif
}

int64_t Tell(std::FILE* f) {
#ifdef _WIN32
    return _ftelli64(f);
#else
    return int64_t(ftello(f));
#endif
}

}  // namespace

BinaryFile::~BinaryFile() { Close(); }

BinaryFile::BinaryFile(BinaryFile&& other) noexcept : file_(std::exchange(other.file_, nullptr)) {}

BinaryFile& BinaryFile::operator=(BinaryFile&& other) noexcept {
    if (this != &other) {
        Close();
        file_ = std::exchange(other.file_, nullptr);
    }
    return *this;
}

bool BinaryFile::Open(const std::string& path, Mode mode) {
    Close();
    file_ = OpenFile(path, mode == Mode::kRead ? "rb" : "w+b");
    return file_ != nullptr;
}

bool BinaryFile::Close() {
    if (!file_) return true;
    bool ok = std::fclose(file_) == 0;
    file_ = nullptr;
    return ok;
}

uint64_t BinaryFile::Size() {
    if (!file_ || SeekTo(file_, 0, SEEK_END) != 0) return UINT64_MAX;
    int64_t size = Tell(file_);
    return size < 0 ? UINT64_MAX : uint64_t(size);
}

bool BinaryFile::ReadAt(uint64_t offset, std::span<uint8_t> out) {
    if (!Seek(offset)) return false;
    return ReadSome(out) == out.size();
}

size_t BinaryFile::ReadSome(std::span<uint8_t> out) {
    if (!file_ || out.empty()) return 0;
    return std::fread(out.data(), 1, out.size(), file_);
}

bool BinaryFile::Seek(uint64_t offset) {
    return file_ && offset <= uint64_t(INT64_MAX) && SeekTo(file_, offset, SEEK_SET) == 0;
}

bool BinaryFile::Write(std::span<const uint8_t> bytes) {
    if (!file_) return false;
    return bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
}

bool BinaryFile::WriteAt(uint64_t offset, std::span<const uint8_t> bytes) {
    return Seek(offset) && Write(bytes);
}

bool BinaryFile::Flush() { return file_ && std::fflush(file_) == 0; }

}  // namespace gd::res
