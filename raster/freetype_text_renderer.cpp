#include "raster/freetype_text_renderer.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <string>
#include <unordered_map>
#include <vector>

#include "common/code_page.h"
#include "common/unicode_text.h"
#include "raster/pixel.h"

namespace gd {
namespace {

struct FontKey {
    std::string face;
    int32_t height = 0;
    int32_t width = 0;
    int32_t weight = 0;
    bool italic = false;
    friend bool operator==(const FontKey&, const FontKey&) = default;
};

FontKey KeyOf(const LogFont& font) {
    return {font.face_name, font.height, font.width, font.weight, font.italic != 0};
}

// The horizontal pixel size that gives `face` at `pixels` per em the average character
// width `width` (its sign ignored, as a font width is); 0, the face's own proportions,
// when no width is asked for or the face does not state its average width.
int HorizontalPixels(FT_Face face, int pixels, int32_t width) {
    if (width == 0 || face->units_per_EM == 0) return 0;
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (!os2 || os2->xAvgCharWidth <= 0) return 0;
    const double average = double(os2->xAvgCharWidth) * pixels / face->units_per_EM;
    const double wanted = std::abs(double(width));
    return int(std::lround(pixels * wanted / average));
}

// A face at the font's pixel size, with what must be synthesised for it.
struct GlyphFace {
    FT_Face face = nullptr;
    bool embolden = false;
    bool slant = false;
};

// A font made ready for drawing: the chosen face, and the faces found for characters it
// lacks (UTF-8 text only), all at its pixel size.
struct LoadedFont {
    GlyphFace primary;
    std::vector<GlyphFace> fallbacks;
    std::unordered_map<char32_t, int> fallback_of;  // index into fallbacks; -1: none has it
    int pixels = 0;   // the em height of every face
    int ascent = 0;   // pixels above the baseline
    int height = 0;   // line height in pixels
    bool underline = false;
};

void DoneFaces(LoadedFont& font) {
    if (font.primary.face) FT_Done_Face(font.primary.face);
    for (GlyphFace& f : font.fallbacks) FT_Done_Face(f.face);
    font = {};
}

}  // namespace

struct FreeTypeTextRenderer::State {
    FT_Library library = nullptr;
    FcConfig* config = nullptr;
    FontKey key;
    LogFont want;
    LoadedFont font;
    bool loaded = false;

    ~State() {
        DoneFaces(font);
        if (library) FT_Done_FreeType(library);
        if (config) FcConfigDestroy(config);
    }

    // The fontconfig pattern of `font`, substituted and ready to match.
    FcPattern* PatternFor(const LogFont& font) const {
        FcPattern* pattern = FcPatternCreate();
        std::string family = font.face_name.empty() ? "sans-serif" : font.face_name;
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
        int weight = font.weight <= 0 ? 400 : std::min(font.weight, 1000);
        FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight));
        FcPatternAddInteger(pattern, FC_SLANT, font.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
        FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
        FcConfigSubstitute(config, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        return pattern;
    }

    // The fontconfig match for `font`: path, face index, and whether it is bold / italic.
    bool Match(const LogFont& font, std::string& path, int& index, bool& bold, bool& italic) const {
        FcPattern* pattern = PatternFor(font);
        FcResult result;
        FcPattern* match = FcFontMatch(config, pattern, &result);
        FcPatternDestroy(pattern);
        if (!match) return false;
        FcChar8* file = nullptr;
        int matched_weight = FC_WEIGHT_REGULAR, matched_slant = FC_SLANT_ROMAN;
        bool ok = FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch;
        if (ok) path = reinterpret_cast<const char*>(file);
        if (FcPatternGetInteger(match, FC_INDEX, 0, &index) != FcResultMatch) index = 0;
        FcPatternGetInteger(match, FC_WEIGHT, 0, &matched_weight);
        FcPatternGetInteger(match, FC_SLANT, 0, &matched_slant);
        bold = matched_weight >= FC_WEIGHT_DEMIBOLD;
        italic = matched_slant != FC_SLANT_ROMAN;
        FcPatternDestroy(match);
        return ok;
    }

    // The closest font to `want` that has `c`, in fontconfig's order of preference.
    bool MatchCovering(const LogFont& font, char32_t c, std::string& path, int& index) const {
        FcPattern* pattern = PatternFor(font);
        FcResult result;
        FcFontSet* sorted = FcFontSort(config, pattern, FcFalse, nullptr, &result);
        FcPatternDestroy(pattern);
        if (!sorted) return false;
        bool found = false;
        for (int i = 0; i < sorted->nfont && !found; ++i) {
            FcCharSet* chars = nullptr;
            FcChar8* file = nullptr;
            if (FcPatternGetCharSet(sorted->fonts[i], FC_CHARSET, 0, &chars) != FcResultMatch ||
                !FcCharSetHasChar(chars, c) || FcPatternGetString(sorted->fonts[i], FC_FILE, 0, &file) != FcResultMatch)
                continue;
            path = reinterpret_cast<const char*>(file);
            if (FcPatternGetInteger(sorted->fonts[i], FC_INDEX, 0, &index) != FcResultMatch) index = 0;
            found = true;
        }
        FcFontSetDestroy(sorted);
        return found;
    }

    FT_Face OpenFace(const std::string& path, int index, int horizontal) {
        FT_Face face = nullptr;
        if (FT_New_Face(library, path.c_str(), index, &face) != 0) return nullptr;
        FT_Set_Pixel_Sizes(face, FT_UInt(std::clamp(horizontal, 0, 8000)), FT_UInt(font.pixels));
        return face;
    }

    const LoadedFont* Load(const LogFont& wanted) {
        if (loaded && key == KeyOf(wanted)) {
            font.underline = wanted.underline != 0;
            return font.primary.face ? &font : nullptr;
        }
        DoneFaces(font);
        key = KeyOf(wanted);
        want = wanted;
        loaded = true;
        std::string path;
        int index = 0;
        bool bold = false, italic = false;
        if (!library || !Match(wanted, path, index, bold, italic)) return nullptr;
        FT_Face f = nullptr;
        if (FT_New_Face(library, path.c_str(), index, &f) != 0) return nullptr;
        // Negative height: the character (em) height in pixels. Positive: the cell height,
        // ascent plus descent. Zero: a default size.
        int pixels = 16;
        if (wanted.height < 0) {
            pixels = -wanted.height;
        } else if (wanted.height > 0 && f->units_per_EM > 0 && f->ascender - f->descender > 0) {
            pixels = int(std::lround(double(wanted.height) * f->units_per_EM / (f->ascender - f->descender)));
        }
        font.pixels = std::clamp(pixels, 1, 2000);
        FT_Set_Pixel_Sizes(f, FT_UInt(std::clamp(HorizontalPixels(f, font.pixels, wanted.width), 0, 8000)),
                           FT_UInt(font.pixels));
        font.primary = {f, wanted.weight >= 600 && !bold, wanted.italic && !italic};
        font.ascent = int(f->size->metrics.ascender >> 6);
        font.height = int((f->size->metrics.ascender - f->size->metrics.descender) >> 6);
        font.underline = wanted.underline != 0;
        return &font;
    }

    // The face that draws `c`: the font's own; for UTF-8 text, where it lacks `c`, a face
    // found for it before, or the closest installed font that has it.
    const GlyphFace& FaceFor(char32_t c, TextForm form) {
        if (form == TextForm::kAnsi || FT_Get_Char_Index(font.primary.face, c) != 0) return font.primary;
        auto known = font.fallback_of.find(c);
        if (known == font.fallback_of.end()) {
            int chosen = -1;
            for (size_t i = 0; i < font.fallbacks.size() && chosen < 0; ++i)
                if (FT_Get_Char_Index(font.fallbacks[i].face, c) != 0) chosen = int(i);
            std::string path;
            int index = 0;
            if (chosen < 0 && MatchCovering(want, c, path, index)) {
                if (FT_Face face = OpenFace(path, index, 0)) {
                    const bool bold = face->style_flags & FT_STYLE_FLAG_BOLD;
                    const bool italic = face->style_flags & FT_STYLE_FLAG_ITALIC;
                    font.fallbacks.push_back({face, want.weight >= 600 && !bold, want.italic && !italic});
                    chosen = int(font.fallbacks.size()) - 1;
                }
            }
            known = font.fallback_of.emplace(c, chosen).first;
        }
        return known->second < 0 ? font.primary : font.fallbacks[size_t(known->second)];
    }
};

FreeTypeTextRenderer::FreeTypeTextRenderer() : state_(std::make_unique<State>()) {
    if (FT_Init_FreeType(&state_->library) != 0) state_->library = nullptr;
    state_->config = FcInitLoadConfigAndFonts();
}

FreeTypeTextRenderer::~FreeTypeTextRenderer() = default;

std::string FreeTypeTextRenderer::ResolveFontFile(const LogFont& font) const {
    std::string path;
    int index = 0;
    bool bold = false, italic = false;
    return state_->Match(font, path, index, bold, italic) ? path : std::string();
}

namespace {

// Loads the glyph of `c` with the synthesised styles applied; false when it has none.
bool LoadGlyph(const GlyphFace& glyph_face, char32_t c) {
    FT_Face face = glyph_face.face;
    FT_UInt glyph = FT_Get_Char_Index(face, c);
    if (FT_Load_Glyph(face, glyph, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) != 0) return false;
    if (face->glyph->format == FT_GLYPH_FORMAT_OUTLINE) {
        if (glyph_face.embolden) FT_Outline_Embolden(&face->glyph->outline, face->size->metrics.y_ppem * 4);
        if (glyph_face.slant) {
            FT_Matrix shear{0x10000, 0x0366A, 0, 0x10000};  // about 12 degrees
            FT_Outline_Transform(&face->glyph->outline, &shear);
        }
    }
    return true;
}

int Advance(const GlyphFace& face, char32_t c) {
    if (!LoadGlyph(face, c)) return 0;
    int extra = face.embolden ? int(face.face->size->metrics.y_ppem * 4 >> 6) : 0;
    return int(face.face->glyph->advance.x >> 6) + extra;
}

// The code points of one line: ANSI bytes through the code page, UTF-8 decoded (a byte
// that is not UTF-8 as U+FFFD).
std::u32string CodePoints(std::string_view line, TextForm form) {
    std::u32string out;
    out.reserve(line.size());
    if (form == TextForm::kAnsi) {
        for (unsigned char c : line) out += CodePageToUnicode(c);
        return out;
    }
    for (size_t pos = 0; pos < line.size();) {
        Utf8Char ch = DecodeUtf8(line, pos);
        out += ch.well_formed ? ch.code_point : char32_t(0xFFFD);
        pos += ch.length;
    }
    return out;
}

// Blends a coverage bitmap onto `target` at (left, top), inside `clip`.
void Blend(Bitmap& target, const FT_Bitmap& glyph, int left, int top, Pixel color, const Rect& clip) {
    for (unsigned gy = 0; gy < glyph.rows; ++gy) {
        int y = top + int(gy);
        if (y < clip.top || y >= clip.bottom) continue;
        const unsigned char* cover = glyph.buffer + ptrdiff_t(gy) * glyph.pitch;
        Pixel* row = target.row(y);
        for (unsigned gx = 0; gx < glyph.width; ++gx) {
            int x = left + int(gx);
            unsigned a = cover[gx];
            if (a == 0 || x < clip.left || x >= clip.right) continue;
            Pixel d = row[x];
            auto mix = [a](unsigned s, unsigned t) { return (s * a + t * (255 - a) + 127) / 255; };
            row[x] = MakePixel(uint8_t(mix(PixelRed(color), PixelRed(d))), uint8_t(mix(PixelGreen(color), PixelGreen(d))),
                               uint8_t(mix(PixelBlue(color), PixelBlue(d))));
        }
    }
}

}  // namespace

int FreeTypeTextRenderer::LineWidth(std::u32string_view line, TextForm form) {
    int w = 0;
    for (char32_t c : line) w += Advance(state_->FaceFor(c, form), c);
    return w;
}

void FreeTypeTextRenderer::DrawLine(Bitmap& target, std::u32string_view line, TextForm form, int x, int baseline,
                                    uint32_t color, const Rect& clip) {
    const LoadedFont& font = state_->font;
    const int start = x;
    for (char32_t c : line) {
        const GlyphFace& face = state_->FaceFor(c, form);
        int advance = Advance(face, c);
        if (advance == 0 && !LoadGlyph(face, c)) continue;
        FT_GlyphSlot slot = face.face->glyph;
        if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) == 0)
            Blend(target, slot->bitmap, x + slot->bitmap_left, baseline - slot->bitmap_top, color, clip);
        x += advance;
    }
    if (font.underline && x > start) {
        FT_Face f = font.primary.face;
        int thickness = std::max(1, int(std::lround(double(f->underline_thickness) * f->size->metrics.y_ppem / f->units_per_EM)));
        int offset = std::max(1, int(std::lround(-double(f->underline_position) * f->size->metrics.y_ppem / f->units_per_EM)));
        target.Fill(Rect{start, baseline + offset, x, baseline + offset + thickness}.intersected(clip), color);
    }
}

void FreeTypeTextRenderer::DrawText(Bitmap& target, std::string_view text, TextForm form, const Rect& rect,
                                    unsigned format, const LogFont& logfont, ColorRef colorref) {
    const LoadedFont* font = state_->Load(logfont);
    if (!font || text.empty()) return;
    const Pixel color = PixelFromColorRef(colorref);
    const Rect clip = format & kTextNoClip ? target.rect() : rect.intersected(target.rect());

    // Single line: line breaks draw as nothing. Multi-line: break at LF (a CR before it
    // belongs to the break), never wrap. Both forms hold CR and LF as single bytes.
    std::vector<std::string> lines(1);
    for (size_t k = 0; k < text.size(); ++k) {
        char c = text[k];
        if (c == '\r' && (format & kTextSingleLine || (k + 1 < text.size() && text[k + 1] == '\n'))) continue;
        if (c == '\n') {
            if (!(format & kTextSingleLine)) lines.emplace_back();
            continue;
        }
        lines.back() += c;
    }

    int top = rect.top;
    const int block = font->height * int(lines.size());
    // As on the platform, vertical centring and bottom alignment apply to a single line.
    if (format & kTextSingleLine) {
        if (format & kTextBottom)
            top = rect.bottom - block;
        else if (format & kTextVCenter)
            top = rect.top + (rect.height() - block) / 2;
    }
    for (const std::string& bytes : lines) {
        const std::u32string line = CodePoints(bytes, form);
        int width = LineWidth(line, form);
        int x = rect.left;
        if (format & kTextRight)
            x = rect.right - width;
        else if (format & kTextCenter)
            x = rect.left + (rect.width() - width) / 2;
        DrawLine(target, line, form, x, top + font->ascent, color, clip);
        top += font->height;
    }
}

}  // namespace gd
