// TIFF through libtiff: the first page, read as RGBA with its origin at the top left, as
// 24-bit with an alpha plane when it has an alpha channel; an embedded colour profile
// turns the colours into sRGB. libtiff reports errors through process-wide handlers; ours
// keep the last text per thread so concurrent decodes do not mix their messages.

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <tiffio.h>

#include "imaging/codec_list.h"
#include "imaging/limits.h"

namespace gd {
namespace {

// A plain array, so the last message holds no memory once a decode is over.
thread_local char tiff_error[256];

void OnError(const char*, const char* format, va_list args) { std::vsnprintf(tiff_error, sizeof tiff_error, format, args); }

std::string ErrorText(const char* otherwise) { return std::string("TIFF: ") + (tiff_error[0] ? tiff_error : otherwise); }

void OnWarning(const char*, const char*, va_list) {}

struct TiffSource {
    Bytes data;
    toff_t pos = 0;
};

tsize_t Read(thandle_t h, tdata_t out, tsize_t size) {
    auto* s = static_cast<TiffSource*>(h);
    if (s->pos >= s->data.size() || size <= 0) return 0;
    size_t n = std::min<size_t>(size_t(size), s->data.size() - size_t(s->pos));
    std::memcpy(out, s->data.data() + s->pos, n);
    s->pos += n;
    return tsize_t(n);
}
tsize_t Write(thandle_t, tdata_t, tsize_t) { return 0; }
toff_t Seek(thandle_t h, toff_t offset, int whence) {
    auto* s = static_cast<TiffSource*>(h);
    toff_t base = whence == SEEK_CUR ? s->pos : whence == SEEK_END ? toff_t(s->data.size()) : 0;
    s->pos = base + offset;
    return s->pos;
}
int Close(thandle_t) { return 0; }
toff_t Size(thandle_t h) { return toff_t(static_cast<TiffSource*>(h)->data.size()); }
int Map(thandle_t, tdata_t*, toff_t*) { return 0; }
void Unmap(thandle_t, tdata_t, toff_t) {}

struct TiffHandle {
    TIFF* tiff = nullptr;
    ~TiffHandle() {
        if (tiff) TIFFClose(tiff);
    }
};

Status Open(TiffSource& src, TiffHandle& handle) {
    TIFFSetErrorHandler(OnError);
    TIFFSetWarningHandler(OnWarning);
    tiff_error[0] = '\0';
    handle.tiff = TIFFClientOpen("memory", "rm", &src, Read, Write, Seek, Close, Size, Map, Unmap);
    if (!handle.tiff) return Status::Error(ErrorText("cannot read header"));
    return {};
}

void ReadSize(TIFF* tiff, uint32_t& w, uint32_t& h) {
    w = h = 0;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &w);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &h);
}

}  // namespace

bool ProbeTiff(Bytes data) {
    return data.size() >= 8 && ((data[0] == 'I' && data[1] == 'I' && data[2] == 42 && data[3] == 0) ||
                                (data[0] == 'M' && data[1] == 'M' && data[2] == 0 && data[3] == 42));
}

Status TiffInfo(Bytes data, ImageInfo& info) {
    TiffSource src{data};
    TiffHandle handle;
    if (Status s = Open(src, handle); !s) return s;
    uint32_t w, h;
    ReadSize(handle.tiff, w, h);
    info.width = int(std::min<uint32_t>(w, 0x7FFFFFFF));
    info.height = int(std::min<uint32_t>(h, 0x7FFFFFFF));
    info.bpp = 24;
    return {};
}

Status TiffDecode(Bytes data, Dib& out) {
    TiffSource src{data};
    TiffHandle handle;
    if (Status s = Open(src, handle); !s) return s;
    uint32_t w, h;
    ReadSize(handle.tiff, w, h);
    if (Status s = CheckImageSize(w, h, 24); !s) return s;
    std::vector<uint32_t> rgba(size_t(w) * size_t(h));
    if (!TIFFReadRGBAImageOriented(handle.tiff, w, h, rgba.data(), ORIENTATION_TOPLEFT, 0))
        return Status::Error(ErrorText("cannot decode the image"));
    if (Status s = AllocateDib(out, int(w), int(h), 24); !s) return s;
    out.alpha.resize(size_t(w) * size_t(h));
    for (uint32_t y = 0; y < h; ++y) {
        const uint32_t* src_row = rgba.data() + size_t(y) * w;
        uint8_t* dst = out.top_row(int(y));
        for (uint32_t x = 0; x < w; ++x, dst += 3) {
            // The library hands colours multiplied by their opacity; the picture keeps
            // them straight, beside the opacity.
            uint32_t p = src_row[x], a = TIFFGetA(p);
            auto straight = [a](uint32_t c) { return uint8_t(a == 0 ? 0 : std::min<uint32_t>(255, (c * 255 + a / 2) / a)); };
            dst[0] = straight(TIFFGetB(p));
            dst[1] = straight(TIFFGetG(p));
            dst[2] = straight(TIFFGetR(p));
            out.alpha[size_t(y) * w + x] = uint8_t(a);
        }
    }
    DropUnusedAlpha(out, false);
    uint32_t profile_size = 0;
    const uint8_t* profile = nullptr;
    if (TIFFGetField(handle.tiff, TIFFTAG_ICCPROFILE, &profile_size, &profile) && profile)
        out.colour_profile.assign(profile, profile + profile_size);
    return {};
}

}  // namespace gd
