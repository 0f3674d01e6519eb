#include "imaging/cx_file.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "common/native_file.h"

namespace gd {

CxIOFile::CxIOFile(const char* path, const char* mode) : file_(OpenFile(path, mode)), owned_(true) {}

CxIOFile::~CxIOFile() { Close(); }

bool CxIOFile::Close() {
    bool ok = true;
    if (file_ && owned_) ok = std::fclose(file_) == 0;
    file_ = nullptr;
    return ok;
}

size_t CxIOFile::Read(void* buffer, size_t size) { return file_ ? std::fread(buffer, 1, size, file_) : 0; }

size_t CxIOFile::Write(const void* buffer, size_t size) { return file_ ? std::fwrite(buffer, 1, size, file_) : 0; }

bool CxIOFile::Seek(int64_t offset, int origin) {
#ifdef _WIN32
    return file_ && _fseeki64(file_, offset, origin) == 0;
#else
    return file_ && fseeko(file_, off_t(offset), origin) == 0;
#endif
}

int64_t CxIOFile::Tell() const {
    if (!file_) return 0;
#ifdef _WIN32
    return _ftelli64(file_);
#else
    return int64_t(ftello(file_));
#endif
}

int64_t CxIOFile::Size() const {
    if (!file_) return 0;
    auto* self = const_cast<CxIOFile*>(this);
    int64_t here = Tell();
    self->Seek(0, SEEK_END);
    int64_t end = Tell();
    self->Seek(here, SEEK_SET);
    return end;
}

size_t CxMemFile::Read(void* buffer, size_t size) {
    auto all = bytes();
    size_t n = std::min(size, all.size() - std::min(pos_, all.size()));
    if (n) std::memcpy(buffer, all.data() + pos_, n);
    pos_ += n;
    return n;
}

size_t CxMemFile::Write(const void* buffer, size_t size) {
    if (viewing_ || size == 0) return 0;
    if (owned_.size() < pos_ + size) owned_.resize(pos_ + size);
    std::memcpy(owned_.data() + pos_, buffer, size);
    pos_ += size;
    return size;
}

bool CxMemFile::Seek(int64_t offset, int origin) {
    int64_t base = origin == SEEK_CUR ? int64_t(pos_) : origin == SEEK_END ? Size() : 0;
    int64_t target = base + offset;
    if (target < 0 || target > Size()) return false;
    pos_ = size_t(target);
    return true;
}

std::vector<uint8_t> CxMemFile::Take() {
    pos_ = 0;
    return std::exchange(owned_, {});
}

}  // namespace gd
