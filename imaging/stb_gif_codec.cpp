// GIF for the runtime, decoded by stb_image. stb gives colours, so the indices are
// recovered through the colour table the first image uses (read by gif_layout), and
// transparent pixels go back to the transparent index. stb reads the data through
// callbacks that serve the header with the background index cleared (so it leaves
// undrawn pixels see-through instead of painting them) and the rest in place.

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <unordered_map>

#include <stb_image.h>

#include "imaging/codec_list.h"
#include "imaging/gif_layout.h"
#include "imaging/limits.h"

namespace gd {
namespace {

constexpr size_t kBackgroundIndexOffset = 11;

struct PatchedReader {
    Bytes data;
    size_t pos = 0;

    static int Read(void* user, char* out, int size) {
        auto* self = static_cast<PatchedReader*>(user);
        size_t n = std::min(size_t(size), self->data.size() - self->pos);
        std::memcpy(out, self->data.data() + self->pos, n);
        if (self->pos <= kBackgroundIndexOffset && kBackgroundIndexOffset < self->pos + n)
            out[kBackgroundIndexOffset - self->pos] = 0;
        self->pos += n;
        return int(n);
    }
    static void Skip(void* user, int n) {
        auto* self = static_cast<PatchedReader*>(user);
        int64_t target = int64_t(self->pos) + n;
        self->pos = size_t(std::clamp<int64_t>(target, 0, int64_t(self->data.size())));
    }
    static int Eof(void* user) {
        auto* self = static_cast<PatchedReader*>(user);
        return self->pos >= self->data.size();
    }
};

struct StbFree {
    void operator()(unsigned char* p) const { stbi_image_free(p); }
};

}  // namespace

Status StbGifDecode(Bytes data, Dib& out) {
    GifLayout layout;
    if (Status s = ReadGifLayout(data, layout); !s) return s;
    // stb keeps the screen as colours, its background as colours and a byte a pixel of
    // history at once.
    if (Status s = CheckWorkingMemory(layout.screen_width, layout.screen_height, 9); !s) return s;
    PatchedReader reader{data};
    stbi_io_callbacks io{&PatchedReader::Read, &PatchedReader::Skip, &PatchedReader::Eof};
    int w = 0, h = 0, comp = 0;
    std::unique_ptr<unsigned char, StbFree> rgba(stbi_load_from_callbacks(&io, &reader, &w, &h, &comp, 4));
    if (!rgba) {
        const char* reason = stbi_failure_reason();
        return Status::Error(std::string("GIF: ") + (reason ? reason : "corrupt data"));
    }

    std::unordered_map<uint32_t, uint8_t> index_of;
    for (size_t i = layout.palette.size(); i-- > 0;) {
        const RgbQuad& q = layout.palette[i];
        index_of[(uint32_t(q.red) << 16) | (uint32_t(q.green) << 8) | q.blue] = uint8_t(i);
    }
    const uint8_t see_through = uint8_t(layout.transparent >= 0 ? layout.transparent : layout.background);
    std::vector<uint8_t> indices(size_t(w) * size_t(h));
    const unsigned char* p = rgba.get();
    for (size_t i = 0; i < indices.size(); ++i, p += 4) {
        if (p[3] == 0) {
            indices[i] = see_through;
            continue;
        }
        auto it = index_of.find((uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2]);
        indices[i] = it == index_of.end() ? 0 : it->second;
    }
    if (Status s = DibFromIndices(out, w, h, indices, layout.palette); !s) return s;
    out.transparent = layout.transparent;
    return {};
}

}  // namespace gd
