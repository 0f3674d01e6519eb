#pragma once
// CxImage: the picture both programs decode, encode and draw. It keeps a device-
// independent picture (imaging/dib.h) and draws it into a gd::Bitmap. Decoding goes
// through the codec adapters of the program (the runtime links the lean set: JPEG and
// GIF; the maker the full set). Every operation reports failure by its result and keeps
// a readable text in GetLastError(); nothing throws to the caller.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "imaging/codec.h"
#include "imaging/cx_file.h"
#include "imaging/dib.h"
#include "imaging/image_format.h"
#include "raster/bitmap.h"
#include "raster/geometry.h"
#include "raster/resample.h"

namespace gd {

class CxImage {
public:
    explicit CxImage(int format = kFormatNone) : type_(format) {}

    // Replaces the content by a blank picture; bits are rounded up to 1, 4, 8 or 24 and
    // the palette (2, 16 or 256 entries) is zeroed. Returns the pixel memory (bottom-up
    // rows of GetEffWidth() bytes), or null when the size is refused or memory is short.
    uint8_t* Create(int width, int height, int bits, int format = kFormatNone);
    void Destroy();

    // Decodes a file. With an identifier 1..12 that format is tried first; then (also
    // for 0) the content decides, in the program's detection order. When both fail, the
    // error of the first attempt is kept. A file that cannot be opened fails at once.
    bool Load(const std::string& path, int format = kFormatNone);
    // Decodes the rest of a stream, the same way. Memory streams are decoded in place.
    bool Decode(CxFile& file, int format = kFormatNone);
    // Decodes bytes in place, without copying them.
    bool Decode(std::span<const uint8_t> bytes, int format = kFormatNone);
    // Decodes the bytes of a program resource in place; an empty span stands for a
    // resource that could not be loaded ("Unable to load resource!").
    bool LoadResource(std::span<const uint8_t> resource, int format = kFormatNone);

    // Pixel storage handed from one picture to the next: a build decodes one large picture
    // after another, and memory that is already the program's costs no page faults. The
    // next decode fills `storage` when it is large enough (a picture decoded over another
    // lets the other's storage go, as always); TakeStorage gives the picture's storage
    // back (the picture becomes empty).
    void ReuseStorage(std::vector<uint8_t> storage);
    std::vector<uint8_t> TakeStorage();

    // The box the caller will shrink the next decoded pictures into (ShrinkToFit); a
    // decoder that can decode at a reduced size then does (a JPEG at least twice the box).
    // 0 x 0, the default, decodes every picture whole.
    void SetDecodeBox(int width, int height) { box_ = {width, height}; }

    // Whether the next decoded pictures have their colours turned into sRGB by the colour
    // profile their file embeds (the default), or keep them as stored with the profile
    // ignored: what the maker did before it read profiles, kept for projects made then.
    void SetTrueColours(bool on) { true_colours_ = on; }

    // Encodes into a new block of bytes that the caller takes over.
    bool Encode(std::vector<uint8_t>& out, int format);
    bool Encode(CxFile& file, int format);

    bool IsValid() const { return dib_.valid(); }
    int GetWidth() const { return dib_.width; }
    int GetHeight() const { return dib_.height; }
    int GetBpp() const { return dib_.bpp; }
    int GetNumColors() const { return int(dib_.palette.size()); }
    size_t GetEffWidth() const { return dib_.row_size(); }
    uint8_t* GetBits() { return dib_.bits.empty() ? nullptr : dib_.bits.data(); }
    int GetType() const { return type_; }
    const std::string& GetLastError() const { return last_error_; }

    int GetJpegQuality() const { return jpeg_quality_; }
    void SetJpegQuality(int quality);
    // Whether the picture has see-through pixels of an alpha channel (a palette's single
    // transparent index is not counted here).
    bool HasAlpha() const { return !dib_.alpha.empty(); }
    // Lays the picture over a solid colour (0x00BBGGRR): afterwards it has no alpha; a
    // palette picture with alpha becomes 24-bit. False when memory is short.
    bool FlattenAlpha(uint32_t background);
    int GetTransIndex() const { return dib_.transparent; }
    void SetTransIndex(int index) { dib_.transparent = index; }
    bool IsEnabled() const { return enabled_; }
    void Enable(bool on = true) { enabled_ = on; }
    int GetXDPI() const { return xdpi_; }
    int GetYDPI() const { return ydpi_; }

    // One palette entry; zero outside the palette or without one.
    RgbQuad GetPaletteColor(int index) const;
    void SetPaletteColor(int index, RgbQuad color);
    // The palette index of the pixel at (x, y), y counted from the top. Zero without a
    // palette; outside the picture, the transparent index when one is set, else zero.
    int GetPixelIndex(int x, int y) const;
    // The colour of the pixel at (x, y), y counted from the top, as a Bitmap pixel.
    Pixel GetPixelColor(int x, int y) const;

    // Draws the picture scaled to the rectangle (x, y, width, height) of `target`, clipped
    // to the target and to `clip` when given. A width or height below 0 means the
    // picture's own; 0 draws nothing. Nearest neighbour: destination column i, row j take
    // source column floor(i x w / width) and row ceil((j + 1) x h / height) - 1. Pixels of
    // the transparent index leave the target unchanged. Returns false when nothing could
    // be drawn (invalid or disabled picture, empty rectangle).
    bool Draw(Bitmap& target, int x, int y, int width = -1, int height = -1, const Rect* clip = nullptr) const;
    // Draws scaled the way the platform stretches with dropped or repeated rows and
    // columns (source = floor(i x w / width), the same for rows); transparent pixels leave
    // the target unchanged. Used for small previews.
    bool Draw2(Bitmap& target, int x, int y, int width = -1, int height = -1) const;

    // Draws the picture (or `window` of it) scaled to `dst` of `target` with smooth
    // scaling: averaged when shrunk, interpolated when enlarged (raster/resample.h).
    // See-through pixels are laid over `under` first, a Bitmap pixel (the show fills the
    // frame with that colour before it draws). False when nothing could be drawn.
    bool DrawSmooth(Bitmap& target, const Rect& dst, Pixel under, const SourceWindow* window = nullptr) const;

    // Shrinks the picture to fit the box (imaging/fit_size.h: aspect kept, never enlarged,
    // 0 = that side unlimited) with smooth scaling, averaging the pixels each new one
    // covers. A shrunk picture becomes 24-bit, its see-through pixels laid over `under`
    // (a Bitmap pixel, 0x00RRGGBB). A picture that fits is left as it is. False when
    // memory is short.
    bool ShrinkToFit(int box_width, int box_height, Pixel under = 0);

    // The picture record itself, for adapters and tests.
    const Dib& dib() const { return dib_; }

private:
    bool DecodeBytes(std::span<const uint8_t> bytes, int format);
    void ApplyColourProfile();
    bool Fail(const std::string& text);

    Dib dib_;
    DecodeBox box_;
    bool true_colours_ = true;
    int type_ = kFormatNone;
    int jpeg_quality_ = 75;
    bool enabled_ = true;
    int xdpi_ = 72;
    int ydpi_ = 72;
    std::string last_error_;
};

}  // namespace gd
