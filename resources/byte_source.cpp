#include "resources/byte_source.h"

#include <cstring>

namespace gd::res {

bool MemorySource::ReadAt(uint64_t offset, std::span<uint8_t> out) {
    if (!Holds(offset, out.size())) return false;
    if (!out.empty()) std::memcpy(out.data(), bytes_.data() + offset, out.size());
    return true;
}

std::unique_ptr<FileSource> FileSource::Open(const std::string& path) {
    auto source = std::unique_ptr<FileSource>(new FileSource());
    if (!source->file_.Open(path, BinaryFile::Mode::kRead)) return nullptr;
    source->size_ = source->file_.Size();
    if (source->size_ == UINT64_MAX) return nullptr;
    return source;
}

bool FileSource::ReadAt(uint64_t offset, std::span<uint8_t> out) {
    return Holds(offset, out.size()) && file_.ReadAt(offset, out);
}

}  // namespace gd::res
