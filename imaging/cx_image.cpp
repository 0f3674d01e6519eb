#include "imaging/cx_image.h"

#include <algorithm>
#include <new>

#include "imaging/codec.h"
#include "imaging/limits.h"

namespace gd {
namespace {

constexpr size_t kMaxErrorLength = 255;

// Reads what is left of a stream that does not live in memory.
Status ReadRest(CxFile& file, std::vector<uint8_t>& out) {
    int64_t left = file.Size() - file.Tell();
    if (left < 0) left = 0;
    if (uint64_t(left) > kMaxImageBytes) return Status::Error("File too large");
    try {
        out.resize(size_t(left));
    } catch (const std::bad_alloc&) {
        return Status::Error("Not enough memory to read the file");
    }
    size_t got = left ? file.Read(out.data(), out.size()) : 0;
    out.resize(got);
    return {};
}

// Tries every adapter in detection order. When none accepts the data, the text is the
// error of the first adapter that recognised it, if the program reports those, else the
// common "unknown format" text.
Status DecodeDetected(Bytes data, const DecodeBox& box, Dib& out, int& format) {
    Status first_recognised;
    for (const Codec& c : ImageCodecs()) {
        if (data.empty() || !c.probe(data)) continue;
        Status s = DecodeWith(c, data, out, box);
        if (s) {
            format = c.format;
            return s;
        }
        if (first_recognised.ok()) first_recognised = s;
    }
    if (kDetectionNamesFailure && !first_recognised.ok()) return first_recognised;
    return Status::Error(kUnknownFormatText);
}

}  // namespace

bool CxImage::Fail(const std::string& text) {
    last_error_ = text.substr(0, kMaxErrorLength);
    return false;
}

void CxImage::Destroy() { dib_ = Dib{}; }

void CxImage::ReuseStorage(std::vector<uint8_t> storage) {
    Destroy();
    storage.clear();
    dib_.bits = std::move(storage);
}

std::vector<uint8_t> CxImage::TakeStorage() {
    std::vector<uint8_t> storage = std::move(dib_.bits);
    Destroy();
    return storage;
}

uint8_t* CxImage::Create(int width, int height, int bits, int format) {
    Destroy();
    if (Status s = AllocateDib(dib_, width, height, bits); !s) {
        Fail(s.text());
        return nullptr;
    }
    type_ = format;
    return dib_.bits.data();
}

void CxImage::SetJpegQuality(int quality) { jpeg_quality_ = std::clamp(quality, 0, 100); }

bool CxImage::Load(const std::string& path, int format) {
    CxIOFile file(path.c_str(), "rb");
    if (!file.IsOpen()) {
        Destroy();
        return Fail("Unable to open file: " + path);
    }
    return Decode(file, format);
}

bool CxImage::Decode(CxFile& file, int format) {
    if (auto in_place = file.Remaining()) return DecodeBytes(*in_place, format);
    std::vector<uint8_t> bytes;
    if (Status s = ReadRest(file, bytes); !s) {
        Destroy();
        return Fail(s.text());
    }
    return DecodeBytes(bytes, format);
}

bool CxImage::Decode(std::span<const uint8_t> bytes, int format) { return DecodeBytes(bytes, format); }

bool CxImage::LoadResource(std::span<const uint8_t> resource, int format) {
    if (resource.empty()) {
        Destroy();
        return Fail("Unable to load resource!");
    }
    CxMemFile file(resource);
    return Decode(file, format);
}

bool CxImage::DecodeBytes(std::span<const uint8_t> bytes, int format) {
    // Storage handed over by ReuseStorage is filled; a decoded picture's own is let go, as
    // it always was.
    if (IsValid()) Destroy();
    std::string first_error;
    if (format > kFormatNone && format <= kFormatLast) {
        const Codec* codec = FindCodec(format);
        Status s = codec ? DecodeWith(*codec, bytes, dib_, box_) : Status::Error("Format not supported by this program");
        if (s) {
            type_ = format;
            ApplyColourProfile();
            return true;
        }
        first_error = s.text();
        Destroy();
    }
    int detected = kFormatNone;
    Status s = DecodeDetected(bytes, box_, dib_, detected);
    if (s) {
        type_ = detected;
        ApplyColourProfile();
        return true;
    }
    Destroy();
    return Fail(first_error.empty() ? s.text() : first_error);
}

void CxImage::ApplyColourProfile() {
    if (true_colours_ && kColourConversion) kColourConversion(dib_);
    dib_.colour_profile = {};
}

bool CxImage::Encode(std::vector<uint8_t>& out, int format) {
    if (!IsValid()) return Fail("Encode: invalid image");
    const Codec* codec = FindCodec(format);
    if (!codec || !codec->encode) return Fail("Encode: format not supported");
    EncodeOptions options;
    options.jpeg_quality = jpeg_quality_;
    std::vector<uint8_t> bytes;
    Status s;
    try {
        s = codec->encode(dib_, options, bytes);
    } catch (const std::bad_alloc&) {
        s = Status::Error("Encode: not enough memory");
    }
    if (!s) return Fail(s.text());
    out = std::move(bytes);
    return true;
}

bool CxImage::Encode(CxFile& file, int format) {
    std::vector<uint8_t> bytes;
    if (!Encode(bytes, format)) return false;
    if (file.Write(bytes.data(), bytes.size()) != bytes.size()) return Fail("Encode: write failed");
    return true;
}

RgbQuad CxImage::GetPaletteColor(int index) const {
    if (index < 0 || size_t(index) >= dib_.palette.size()) return {};
    return dib_.palette[size_t(index)];
}

void CxImage::SetPaletteColor(int index, RgbQuad color) {
    if (index >= 0 && size_t(index) < dib_.palette.size()) dib_.palette[size_t(index)] = color;
}

int CxImage::GetPixelIndex(int x, int y) const {
    if (!IsValid() || dib_.palette.empty()) return 0;
    if (x < 0 || y < 0 || x >= dib_.width || y >= dib_.height) return dib_.transparent >= 0 ? dib_.transparent : 0;
    return dib_.index_at(x, y);
}

bool CxImage::FlattenAlpha(uint32_t background) {
    RgbQuad under = MakeQuad(uint8_t(background), uint8_t(background >> 8), uint8_t(background >> 16));
    if (Status s = gd::FlattenAlpha(dib_, under); !s) return Fail(s.text());
    return true;
}

Pixel CxImage::GetPixelColor(int x, int y) const {
    if (!IsValid() || x < 0 || y < 0 || x >= dib_.width || y >= dib_.height) return 0;
    if (dib_.bpp == 24) {
        const uint8_t* p = dib_.top_row(y) + size_t(x) * 3;
        return MakePixel(p[2], p[1], p[0]);
    }
    RgbQuad q = GetPaletteColor(dib_.index_at(x, y));
    return MakePixel(q.red, q.green, q.blue);
}

}  // namespace gd
