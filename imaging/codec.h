#pragma once
// The codec adapters behind the facade. Every source (file, memory) ends up as one span
// of bytes handed to an adapter. An adapter has:
//   probe  - a cheap look at the first bytes: could this be the format at all?
//   info   - the picture size from the header, checked against the limits before decoding;
//   decode - the picture itself;
//   encode - only for the formats the maker writes.
// The sets of adapters, in their detection order, are in codecs_lean.cpp (runtime) and
// codecs_full.cpp (maker); a program links exactly one of them.

#include <cstdint>
#include <span>
#include <vector>

#include "imaging/dib.h"
#include "imaging/image_format.h"
#include "imaging/status.h"

namespace gd {

using Bytes = std::span<const uint8_t>;

struct ImageInfo {
    int width = 0;
    int height = 0;
    int bpp = 24;  // the stored depth the decoder will produce
};

// The box a picture is to be shrunk into once decoded (imaging/fit_size.h; 0: that side
// unlimited, both 0: no box). An adapter that can decode at a reduced size may then give
// a smaller picture than its file's, never one smaller than its fit into the box.
struct DecodeBox {
    int width = 0;
    int height = 0;
    bool limits() const { return width > 0 || height > 0; }
};

struct EncodeOptions {
    int jpeg_quality = 75;
};

struct Codec {
    int format;
    const char* name;
    bool (*probe)(Bytes data);
    Status (*info)(Bytes data, ImageInfo& info);
    Status (*decode)(Bytes data, Dib& out);
    Status (*encode)(const Dib& dib, const EncodeOptions& options, std::vector<uint8_t>& out);  // may be null
    // The picture at a reduced size where that is cheaper than decoding it whole; may be null.
    Status (*decode_within)(Bytes data, const DecodeBox& box, Dib& out);
};

// The adapters of this program, in detection order.
std::span<const Codec> ImageCodecs();

// The adapter of a format identifier, or null when this program has none.
const Codec* FindCodec(int format);

// Probes, reads the header, checks the limits, then decodes with one adapter (at a reduced
// size for a box, where the adapter can).
Status DecodeWith(const Codec& codec, Bytes data, Dib& out, const DecodeBox& box = {});

// Turns a decoded picture's colours into sRGB by the profile its file embeds
// (Dib::colour_profile); null in a program whose adapters find no profiles (the runtime).
extern void (*const kColourConversion)(Dib& dib);

// Whether a failed detection reports the error of the first adapter that recognised the
// data (the maker, for readable messages) or always the text below (the runtime).
extern const bool kDetectionNamesFailure;

// The text given when no adapter in the detection order accepts the data.
inline constexpr const char* kUnknownFormatText = "Decode: Unknown or wrong format";

}  // namespace gd
