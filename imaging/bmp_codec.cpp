// BMP files: a 14-byte file header ("BM", size, offset of the pixel rows) before a DIB.

#include "common/byte_io.h"
#include "imaging/bmp_dib.h"
#include "imaging/codec_list.h"

namespace gd {
namespace {

constexpr size_t kFileHeader = 14;

DibSource SourceOf(Bytes data) {
    DibSource s;
    s.header = data.subspan(kFileHeader);
    int64_t offset = int64_t(ReadU32(data.data() + 10)) - int64_t(kFileHeader);
    s.bits_offset = offset < 0 ? -1 : offset;
    return s;
}

}  // namespace

bool ProbeBmp(Bytes data) { return data.size() >= kFileHeader + 4 && data[0] == 'B' && data[1] == 'M'; }

Status BmpInfo(Bytes data, ImageInfo& info) { return DibHeaderInfo(SourceOf(data), info); }

Status BmpDecode(Bytes data, Dib& out) { return DecodeDibBody(SourceOf(data), out); }

}  // namespace gd
