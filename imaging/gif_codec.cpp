// GIF for the maker, through giflib: the first image on its logical screen, with the
// colour table it uses and its transparent index; encoding writes the picture's palette
// and indices. Pixels of the screen outside the first image take the transparent index
// when there is one, else the background index.

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include <gif_lib.h>

#include "imaging/codec_list.h"
#include "imaging/gif_layout.h"

namespace gd {
namespace {

struct MemoryReader {
    Bytes data;
    size_t pos = 0;
};

int ReadFromMemory(GifFileType* gif, GifByteType* out, int size) {
    auto* r = static_cast<MemoryReader*>(gif->UserData);
    size_t n = std::min(size_t(std::max(size, 0)), r->data.size() - r->pos);
    std::memcpy(out, r->data.data() + r->pos, n);
    r->pos += n;
    return int(n);
}

int WriteToVector(GifFileType* gif, const GifByteType* bytes, int size) {
    auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
    out->insert(out->end(), bytes, bytes + size);
    return size;
}

std::string GifText(int code) {
    const char* text = GifErrorString(code);
    return std::string("GIF: ") + (text ? text : "corrupt data");
}

struct GifCloser {
    GifFileType* gif;
    ~GifCloser() {
        int err = 0;
        if (gif) DGifCloseFile(gif, &err);
    }
};

// Reads the rows of the current image into `canvas` (screen-sized, one byte per pixel).
Status ReadFrame(GifFileType* gif, std::vector<uint8_t>& canvas, int screen_w, int screen_h) {
    const GifImageDesc& d = gif->Image;
    if (d.Width <= 0 || d.Height <= 0) return Status::Error("GIF: empty image");
    std::vector<GifPixelType> line(size_t(d.Width));
    static const int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
    const int passes = d.Interlace ? 4 : 1;
    for (int pass = 0; pass < passes; ++pass) {
        int start = d.Interlace ? kStart[pass] : 0, step = d.Interlace ? kStep[pass] : 1;
        for (int row = start; row < d.Height; row += step) {
            if (DGifGetLine(gif, line.data(), d.Width) != GIF_OK) return Status::Error(GifText(gif->Error));
            int y = d.Top + row;
            if (y < 0 || y >= screen_h || d.Left >= screen_w) continue;
            int n = std::min(d.Width, screen_w - d.Left);
            std::memcpy(canvas.data() + size_t(y) * size_t(screen_w) + size_t(d.Left), line.data(), size_t(n));
        }
    }
    return {};
}

}  // namespace

Status GifDecode(Bytes data, Dib& out) {
    GifLayout layout;
    if (Status s = ReadGifLayout(data, layout); !s) return s;
    MemoryReader reader{data};
    int err = 0;
    GifCloser closer{DGifOpen(&reader, ReadFromMemory, &err)};
    GifFileType* gif = closer.gif;
    if (!gif) return Status::Error(GifText(err));
    const int screen_w = layout.screen_width, screen_h = layout.screen_height;
    int transparent = -1;
    GifRecordType record;
    do {
        if (DGifGetRecordType(gif, &record) != GIF_OK) return Status::Error(GifText(gif->Error));
        if (record == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* ext = nullptr;
            if (DGifGetExtension(gif, &code, &ext) != GIF_OK) return Status::Error(GifText(gif->Error));
            if (code == GRAPHICS_EXT_FUNC_CODE && ext && ext[0] >= 4) {
                GraphicsControlBlock gcb;
                DGifExtensionToGCB(ext[0], ext + 1, &gcb);
                transparent = gcb.TransparentColor;
            }
            while (ext) {
                if (DGifGetExtensionNext(gif, &ext) != GIF_OK) return Status::Error(GifText(gif->Error));
            }
        } else if (record == IMAGE_DESC_RECORD_TYPE) {
            if (DGifGetImageDesc(gif) != GIF_OK) return Status::Error(GifText(gif->Error));
            const uint8_t fill = uint8_t(transparent >= 0 ? transparent : layout.background);
            std::vector<uint8_t> canvas(size_t(screen_w) * size_t(screen_h), fill);
            if (Status s = ReadFrame(gif, canvas, screen_w, screen_h); !s) return s;
            if (Status s = DibFromIndices(out, screen_w, screen_h, canvas, layout.palette); !s) return s;
            out.transparent = transparent;
            return {};
        }
    } while (record != TERMINATE_RECORD_TYPE);
    return Status::Error("GIF: no image in the file");
}

Status GifEncode(const Dib& dib, const EncodeOptions&, std::vector<uint8_t>& out) {
    if (dib.bpp > 8 || dib.palette.empty()) return Status::Error("GIF can save only palette images");
    std::vector<GifColorType> colors(dib.palette.size());
    for (size_t i = 0; i < colors.size(); ++i)
        colors[i] = GifColorType{dib.palette[i].red, dib.palette[i].green, dib.palette[i].blue};
    ColorMapObject* map = GifMakeMapObject(int(colors.size()), colors.data());
    if (!map) return Status::Error("GIF: not enough memory");
    std::vector<uint8_t> bytes;
    int err = 0;
    GifFileType* gif = EGifOpen(&bytes, WriteToVector, &err);
    if (!gif) {
        GifFreeMapObject(map);
        return Status::Error(GifText(err));
    }
    EGifSetGifVersion(gif, dib.transparent >= 0);
    bool ok = EGifPutScreenDesc(gif, dib.width, dib.height, 8, 0, map) == GIF_OK;
    if (ok && dib.transparent >= 0) {
        GraphicsControlBlock gcb{DISPOSAL_UNSPECIFIED, false, 0, dib.transparent};
        GifByteType ext[4];
        EGifGCBToExtension(&gcb, ext);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, ext) == GIF_OK;
    }
    ok = ok && EGifPutImageDesc(gif, 0, 0, dib.width, dib.height, false, nullptr) == GIF_OK;
    std::vector<GifPixelType> line(size_t(dib.width));
    for (int y = 0; ok && y < dib.height; ++y) {
        for (int x = 0; x < dib.width; ++x) line[size_t(x)] = GifPixelType(dib.index_at(x, y));
        ok = EGifPutLine(gif, line.data(), dib.width) == GIF_OK;
    }
    int close_err = 0;
    int error_code = ok ? 0 : gif->Error;
    if (EGifCloseFile(gif, &close_err) != GIF_OK && ok) {
        ok = false;
        error_code = close_err;
    }
    GifFreeMapObject(map);
    if (!ok) return Status::Error(GifText(error_code));
    out = std::move(bytes);
    return {};
}

}  // namespace gd
