// What our decoders do with the C++ heap, watched through replaced global operator
// new/delete: a decode gives back everything it took, and takes no more than the
// picture it announces plus what its file could possibly fill. (The codec libraries
// allocate with malloc; the sanitized test pass checks those.)

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>
#include <vector>

#include "imaging/codec.h"
#include "imaging/limits.h"
#include "tests/imaging/test_inputs.h"

namespace {

// Every block carries its size and whether it was taken while a watch was on, so a block
// taken before the watch and freed during it is not counted.
struct alignas(std::max_align_t) BlockHeader {
    size_t size;
    bool watched;
};

std::atomic<bool> g_watching{false};
std::atomic<int64_t> g_live_blocks{0};
std::atomic<int64_t> g_live_bytes{0};
std::atomic<int64_t> g_peak_bytes{0};

void* Take(size_t size) {
    auto* header = static_cast<BlockHeader*>(std::malloc(sizeof(BlockHeader) + size));
    if (!header) throw std::bad_alloc();
    header->size = size;
    header->watched = g_watching.load(std::memory_order_relaxed);
    if (header->watched) {
        ++g_live_blocks;
        int64_t live = g_live_bytes += int64_t(size);
        int64_t peak = g_peak_bytes.load();
        while (live > peak && !g_peak_bytes.compare_exchange_weak(peak, live)) {
        }
    }
    return header + 1;
}

void Give(void* p) {
    if (!p) return;
    auto* header = static_cast<BlockHeader*>(p) - 1;
    if (header->watched) {
        --g_live_blocks;
        g_live_bytes -= int64_t(header->size);
    }
    std::free(header);
}

}  // namespace

void* operator new(size_t size) { return Take(size); }
void* operator new[](size_t size) { return Take(size); }
void operator delete(void* p) noexcept { Give(p); }
void operator delete[](void* p) noexcept { Give(p); }
void operator delete(void* p, size_t) noexcept { Give(p); }
void operator delete[](void* p, size_t) noexcept { Give(p); }

namespace gd {
namespace {

struct HeapUse {
    int64_t blocks_left = 0;
    int64_t peak_bytes = 0;
};

// Decodes `data` with `codec` into a picture that is dropped again, watching the heap.
HeapUse DecodeWatched(const Codec& codec, Bytes data) {
    g_live_blocks = 0;
    g_live_bytes = 0;
    g_peak_bytes = 0;
    g_watching = true;
    {
        Dib dib;
        Status status = DecodeWith(codec, data, dib);
    }
    g_watching = false;
    return {g_live_blocks.load(), g_peak_bytes.load()};
}

// The bytes of the picture the header announces, when it is within the limits.
int64_t AnnouncedPictureBytes(const Codec& codec, Bytes data) {
    ImageInfo info;
    if (!codec.info(data, info) || !CheckImageSize(info.width, info.height, info.bpp)) return 0;
    const int bpp = RoundDibBits(info.bpp);
    return int64_t(DibRowSize(info.width, bpp)) * info.height + DibPaletteSize(bpp) * 4;
}

struct Input {
    std::string name;
    std::vector<uint8_t> bytes;
};

std::vector<Input> AllInputs() {
    std::vector<Input> inputs;
    std::error_code ec;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(testing::InputPath(""), ec)) {
        if (!entry.is_regular_file()) continue;
        std::string relative = std::filesystem::relative(entry.path(), testing::InputPath("")).string();
        inputs.push_back({relative, testing::ReadInput(relative)});
    }
    EXPECT_GT(inputs.size(), 50u) << testing::InputPath("");
    return inputs;
}

// Regression: a libpng error after the palette was read jumped over the destructor of
// the palette, so every damaged palette or grey PNG leaked it.
TEST(DecoderMemory, EveryDecodeGivesBackWhatItTook) {
    for (const Input& in : AllInputs()) {
        for (const Codec& codec : ImageCodecs()) {
            if (!codec.probe(in.bytes)) continue;
            EXPECT_EQ(DecodeWatched(codec, in.bytes).blocks_left, 0) << in.name << " as " << codec.name;
        }
    }
}

// Regression: a 27-byte TGA announcing 32257x32257 16-bit grey took 2 GB for its pixel
// stream before reading any of it.
TEST(DecoderMemory, NoDecodeTakesMoreThanItsPictureAndWhatItsFileCanFill) {
    for (const Input& in : AllInputs()) {
        for (const Codec& codec : ImageCodecs()) {
            if (!codec.probe(in.bytes)) continue;
            // Run-length codes expand at most a few hundred times; 1 MiB for tables.
            const int64_t file_can_fill = int64_t(in.bytes.size()) * 1024 + (int64_t(1) << 20);
            const int64_t allowed = AnnouncedPictureBytes(codec, in.bytes) + file_can_fill;
            EXPECT_LE(DecodeWatched(codec, in.bytes).peak_bytes, allowed) << in.name << " as " << codec.name;
        }
    }
}

// Regression (found by fuzzing): a 126-byte icon announcing 8960x31488 pixels of RLE4,
// a 130-byte PCX announcing 627 MB of rows and an 83-byte GIF announcing an 18208x17993
// screen each took and cleared their whole picture before their data ran out (and a WMF
// whose records run past its end, its canvas). A file
// that is refused must be refused before its picture is taken, unless its data could
// have filled it.
TEST(DecoderMemory, ARefusedDecodeTakesNoMoreThanItsFileCanFill) {
    size_t refused = 0;
    for (const Input& in : AllInputs()) {
        for (const Codec& codec : ImageCodecs()) {
            if (!codec.probe(in.bytes)) continue;
            Dib dib;
            if (DecodeWith(codec, in.bytes, dib)) continue;
            ++refused;
            const int64_t file_can_fill = int64_t(in.bytes.size()) * 1024 + (int64_t(1) << 20);
            EXPECT_LE(DecodeWatched(codec, in.bytes).peak_bytes, file_can_fill) << in.name << " as " << codec.name;
        }
    }
    EXPECT_GT(refused, 30u);
}

}  // namespace
}  // namespace gd
