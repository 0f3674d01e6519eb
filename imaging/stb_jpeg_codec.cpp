// JPEG for the runtime, decoded by stb_image: grey pictures become 8-bit with a grey
// ramp, colour pictures 24-bit.

#include <algorithm>
#include <array>
#include <memory>
#include <string>

#include <stb_image.h>

#include "imaging/codec_list.h"
#include "imaging/limits.h"

namespace gd {
namespace {

struct StbFree {
    void operator()(unsigned char* p) const { stbi_image_free(p); }
};

std::string StbError(const char* what) {
    const char* reason = stbi_failure_reason();
    return std::string(what) + ": " + (reason ? reason : "corrupt data");
}

uint32_t ByteAt(Bytes data, size_t i) { return i < data.size() ? data[i] : 0; }

// Which of stb's eight Huffman tables a scan header at `p` makes it decode with (bit k:
// DC table k, bit 4 + k: AC table k). A baseline scan uses each component's DC and AC
// table; a progressive scan of first DC bits its DC tables, of DC refinement bits none,
// of AC coefficients its AC tables. Table numbers above 3 stop stb itself.
unsigned TablesScanUses(Bytes data, size_t p, bool progressive) {
    const uint32_t count = std::min<uint32_t>(ByteAt(data, p), 4);
    const uint32_t first = ByteAt(data, p + 1 + 2 * count), refinement = ByteAt(data, p + 3 + 2 * count) >> 4;
    const bool dc = !progressive || (first == 0 && refinement == 0), ac = !progressive || first != 0;
    unsigned used = 0;
    for (uint32_t c = 0; c < count; ++c) {
        const uint32_t q = ByteAt(data, p + 2 + 2 * c), dc_table = q >> 4, ac_table = q & 15;
        if (dc && dc_table <= 3) used |= 1u << dc_table;
        if (ac && ac_table <= 3) used |= 1u << (4 + ac_table);
    }
    return used;
}

// The tables a file has defined so far, and the quantisation table of each component of
// its frame, as a walk through its markers finds them.
struct DefinedTables {
    unsigned huffman = 0;  // as TablesScanUses counts them
    unsigned quantisation = 0;  // bit k: table k
    bool progressive = false;
    std::array<int, 256> component_table{};  // by component id; -1: not in the frame

    DefinedTables() { component_table.fill(-1); }
};

void ReadFrame(Bytes data, size_t p, uint32_t marker, DefinedTables& tables) {
    tables.progressive = marker == 0xC2;
    tables.component_table.fill(-1);
    const uint32_t count = ByteAt(data, p + 5);
    for (uint32_t c = 0; c < count; ++c) {
        const size_t at = p + 6 + 3 * size_t(c);
        tables.component_table[ByteAt(data, at)] = int(ByteAt(data, at + 2));
    }
}

// False when a Huffman table holds more than 256 codes.
bool ReadHuffmanTables(Bytes data, size_t p, size_t length, DefinedTables& tables) {
    // The tables as stb reads them: a class/slot byte, 16 counts, the symbols.
    for (int64_t left = int64_t(length) - 2; left > 0;) {
        const uint32_t q = ByteAt(data, p);
        if ((q >> 4) > 1 || (q & 15) > 3) return true;  // stb stops here
        uint32_t codes = 0;
        for (size_t k = 1; k <= 16; ++k) codes += ByteAt(data, p + k);
        if (codes > 256) return false;
        tables.huffman |= 1u << ((q >> 4) * 4 + (q & 15));
        p += 17 + codes;
        left -= 17 + int64_t(codes);
    }
    return true;
}

void ReadQuantisationTables(Bytes data, size_t p, size_t length, DefinedTables& tables) {
    // A precision/slot byte, then 64 values of 8 or 16 bits.
    for (int64_t left = int64_t(length) - 2; left > 0;) {
        const uint32_t q = ByteAt(data, p), size = 1 + 64 * ((q >> 4) + 1);
        if ((q >> 4) > 1 || (q & 15) > 3) return;  // stb stops here
        tables.quantisation |= 1u << (q & 15);
        p += size;
        left -= int64_t(size);
    }
}

// Whether every component of the scan header at `p` has its quantisation table defined.
bool ScanQuantisationDefined(Bytes data, size_t p, const DefinedTables& tables) {
    const uint32_t count = std::min<uint32_t>(ByteAt(data, p), 4);
    for (uint32_t c = 0; c < count; ++c) {
        const int table = tables.component_table[ByteAt(data, p + 1 + 2 * c)];
        if (table >= 0 && table <= 3 && (tables.quantisation & (1u << table)) == 0) return false;
    }
    return true;
}

// stb_image trusts the tables of a file. Each Huffman table is built into arrays of 256
// codes without checking its code count, which a damaged file may put at up to 4080: the
// writes then run far past the arrays. And a scan that decodes with a Huffman or
// quantisation table the file never defined takes stb's uninitialised memory for one:
// a Huffman table read so sends indexes far past its arrays. All of this is checked here
// first, walking the markers as stb does: a segment's length, or, in entropy-coded data,
// the next 0xFF that is neither a stuffed zero nor a restart marker. Bytes past the end
// read as 0.
Status CheckTables(Bytes data) {
    DefinedTables tables;
    size_t i = 0;
    while (i + 1 < data.size()) {
        if (data[i] != 0xFF) {
            ++i;
            continue;
        }
        size_t m = i + 1;
        while (m < data.size() && data[m] == 0xFF) ++m;  // fill bytes
        const uint32_t marker = ByteAt(data, m);
        i = m + 1;
        const bool no_length = marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD9);
        if (no_length || i + 2 > data.size()) continue;
        const size_t length = (ByteAt(data, i) << 8) | ByteAt(data, i + 1);
        if (marker == 0xC0 || marker == 0xC1 || marker == 0xC2) ReadFrame(data, i + 2, marker, tables);
        if (marker == 0xDB) ReadQuantisationTables(data, i + 2, length, tables);
        if (marker == 0xC4 && !ReadHuffmanTables(data, i + 2, length, tables))
            return Status::Error("JPEG: bad Huffman table");
        if (marker == 0xDA && (TablesScanUses(data, i + 2, tables.progressive) & ~tables.huffman) != 0)
            return Status::Error("JPEG: a scan uses a Huffman table the file does not define");
        if (marker == 0xDA && !ScanQuantisationDefined(data, i + 2, tables))
            return Status::Error("JPEG: a scan uses a quantisation table the file does not define");
        i += length;  // the segment; after a scan header the entropy-coded data follows
    }
    return {};
}

}  // namespace

// stb fills missing data with zeros and reports success; a JPEG without its end marker
// is a truncated file and is refused, as the maker's decoder does.
static bool HasEndMarker(Bytes data) {
    for (size_t i = data.size(); i-- > 3;)
        if (data[i - 1] == 0xFF && data[i] == 0xD9) return true;
    return false;
}

Status StbJpegInfo(Bytes data, ImageInfo& info) {
    if (Status s = CheckTables(data); !s) return s;
    int w = 0, h = 0, comp = 0;
    if (data.size() > 0x7FFFFFFF || !stbi_info_from_memory(data.data(), int(data.size()), &w, &h, &comp))
        return Status::Error(StbError("JPEG"));
    info.width = w;
    info.height = h;
    info.bpp = comp == 1 ? 8 : 24;
    return {};
}

Status StbJpegDecode(Bytes data, Dib& out) {
    ImageInfo info;
    if (Status s = StbJpegInfo(data, info); !s) return s;
    if (!HasEndMarker(data)) return Status::Error("JPEG: premature end of data");
    // stb makes up whatever the data does not reach, and a few hundred bytes can announce
    // a picture that takes it seconds to make up.
    if (Status s = CheckDataCanFill(info.width, info.height, data.size(), kJpegMostPixelsPerByte, "JPEG"); !s) return s;
    int want = info.bpp == 8 ? 1 : 3;
    // stb keeps a plane per component and its output at once.
    if (Status s = CheckWorkingMemory(info.width, info.height, 2 * want); !s) return s;
    int w = 0, h = 0, comp = 0;
    std::unique_ptr<unsigned char, StbFree> pixels(stbi_load_from_memory(data.data(), int(data.size()), &w, &h, &comp, want));
    if (!pixels) return Status::Error(StbError("JPEG"));
    if (Status s = AllocateDib(out, w, h, want * 8); !s) return s;
    if (want == 1) out.palette = GreyRamp(256);
    for (int y = 0; y < h; ++y) {
        const unsigned char* src = pixels.get() + size_t(y) * size_t(w) * size_t(want);
        uint8_t* dst = out.top_row(y);
        if (want == 1) {
            std::copy_n(src, w, dst);
            continue;
        }
        for (int x = 0; x < w; ++x, src += 3, dst += 3) {
            dst[0] = src[2];
            dst[1] = src[1];
            dst[2] = src[0];
        }
    }
    return {};
}

}  // namespace gd
