#include "raster/freetype_text_renderer.h"

#include <gtest/gtest.h>
#include <malloc.h>

namespace gd {
namespace {

constexpr Pixel kBack = 0x00102030;

// The bounds of the pixels that differ from the background.
Rect InkBounds(const Bitmap& b) {
    Rect r;
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            if (b.pixel(x, y) != kBack) r = r.united({x, y, x + 1, y + 1});
    return r;
}

int64_t InkCount(const Bitmap& b) {
    int64_t n = 0;
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x) n += b.pixel(x, y) != kBack;
    return n;
}

LogFont Font(int32_t height, int32_t weight = 400) {
    LogFont f;
    f.height = height;
    f.weight = weight;
    f.face_name = "DejaVu Sans";
    return f;
}

struct Canvas {
    Bitmap Draw(std::string_view text, const Rect& r, unsigned format, const LogFont& font = Font(-20),
                ColorRef color = 0x00FFFFFF, TextForm form = TextForm::kAnsi) {
        Bitmap b(300, 200, kBack);
        renderer.DrawText(b, text, form, r, format, font, color);
        return b;
    }
    Bitmap DrawUtf8(std::string_view text, const LogFont& font = Font(-20)) {
        return Draw(text, {0, 0, 300, 200}, kTextLeft | kTextTop, font, 0x00FFFFFF, TextForm::kUtf8);
    }
    FreeTypeTextRenderer renderer;
};

TEST(FreeTypeTextRenderer, AlignsHorizontallyInsideTheRectangle) {
    Canvas c;
    const Rect r{50, 50, 250, 150};
    Rect left = InkBounds(c.Draw("Hello", r, kTextLeft | kTextTop));
    Rect centre = InkBounds(c.Draw("Hello", r, kTextCenter | kTextTop));
    Rect right = InkBounds(c.Draw("Hello", r, kTextRight | kTextTop));
    ASSERT_FALSE(left.is_empty());
    EXPECT_LE(std::abs(left.left - 50), 3);
    EXPECT_LE(std::abs(right.right - 250), 3);
    EXPECT_LE(std::abs((centre.left + centre.right) / 2 - 150), 3);
    EXPECT_EQ(left.width(), right.width());
    EXPECT_GE(left.top, 50);
    EXPECT_LT(left.top, 60);
}

TEST(FreeTypeTextRenderer, SingleLineCentresOrSitsOnTheBottom) {
    Canvas c;
    const Rect r{0, 0, 300, 200};
    Rect middle = InkBounds(c.Draw("Mx", r, kTextLeft | kTextVCenter | kTextSingleLine));
    Rect bottom = InkBounds(c.Draw("Mx", r, kTextLeft | kTextBottom | kTextSingleLine));
    EXPECT_LE(std::abs((middle.top + middle.bottom) / 2 - 100), 6);
    EXPECT_GT(bottom.bottom, 185);
    EXPECT_LE(bottom.bottom, 200);
    // A line break in single-line text draws nothing and does not start a new line.
    Rect joined = InkBounds(c.Draw("M\nx", r, kTextLeft | kTextTop | kTextSingleLine));
    Rect plain = InkBounds(c.Draw("Mx", r, kTextLeft | kTextTop | kTextSingleLine));
    EXPECT_EQ(joined, plain);
}

TEST(FreeTypeTextRenderer, MultiLineBreaksOnlyAtLineBreaks) {
    Canvas c;
    const unsigned f = kTextLeft | kTextTop | kTextNoClip;
    Rect one = InkBounds(c.Draw("Top line", {10, 10, 40, 190}, f));
    Rect two = InkBounds(c.Draw("Top line\r\nSecond", {10, 10, 40, 190}, f));
    EXPECT_GT(one.right, 40);  // a line wider than the box runs past it, unwrapped
    EXPECT_GE(two.bottom - one.bottom, 18);
    EXPECT_LE(two.bottom - one.bottom, 30);
}

TEST(FreeTypeTextRenderer, ClipsToTheRectangleUnlessToldNotTo) {
    Canvas c;
    Rect clipped = InkBounds(c.Draw("Wide text here", {10, 10, 40, 190}, kTextLeft | kTextTop));
    Rect free = InkBounds(c.Draw("Wide text here", {10, 10, 40, 190}, kTextLeft | kTextTop | kTextNoClip));
    EXPECT_LE(clipped.right, 40);
    EXPECT_GT(free.right, 60);
}

TEST(FreeTypeTextRenderer, SizeWeightUnderlineAndColourFollowTheFont) {
    Canvas c;
    const Rect r{0, 0, 300, 200};
    const unsigned f = kTextLeft | kTextTop | kTextNoClip;
    Rect small = InkBounds(c.Draw("H", r, f, Font(-20)));
    Rect large = InkBounds(c.Draw("H", r, f, Font(-40)));
    EXPECT_NEAR(double(large.height()) / small.height(), 2.0, 0.25);
    EXPECT_GT(InkCount(c.Draw("Heavy", r, f, Font(-20, 700))), InkCount(c.Draw("Heavy", r, f, Font(-20, 400))) * 11 / 10);
    LogFont under = Font(-20);
    under.underline = 1;
    EXPECT_GT(InkBounds(c.Draw("ace", r, f, under)).bottom, InkBounds(c.Draw("ace", r, f)).bottom);
    // Fully covered pixels take the colour exactly (ColorRef red -> Pixel red).
    Bitmap red = c.Draw("\xA6\xA6\xA6", r, f, Font(-40), 0x000000FF);
    int exact = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 300; ++x) exact += red.pixel(x, y) == 0x00FF0000;
    EXPECT_GT(exact, 20);
}

TEST(FreeTypeTextRenderer, AWidthSetsTheAverageCharacterWidthAndKeepsTheHeight) {
    Canvas c;
    const Rect r{0, 0, 300, 200};
    const unsigned f = kTextLeft | kTextTop | kTextNoClip;
    LogFont natural = Font(-30), narrow = Font(-30), wide = Font(-30);
    narrow.width = 6;
    wide.width = 24;
    Rect n = InkBounds(c.Draw("mnmn", r, f, natural));
    Rect a = InkBounds(c.Draw("mnmn", r, f, narrow));
    Rect b = InkBounds(c.Draw("mnmn", r, f, wide));
    EXPECT_NEAR(double(b.width()) / a.width(), 4.0, 0.4);
    EXPECT_LT(a.width(), n.width());
    EXPECT_GT(b.width(), n.width());
    EXPECT_NEAR(a.height(), n.height(), 1);
    EXPECT_NEAR(b.height(), n.height(), 1);
    wide.width = -24;  // the sign does not matter
    EXPECT_EQ(InkBounds(c.Draw("mnmn", r, f, wide)).width(), b.width());
}

TEST(FreeTypeTextRenderer, MissingFaceFallsBackToAnInstalledOne) {
    Canvas c;
    LogFont f = Font(-20);
    f.face_name = "No Such Face 12345";
    EXPECT_FALSE(c.renderer.ResolveFontFile(f).empty());
    EXPECT_GT(InkCount(c.Draw("Fallback", {0, 0, 300, 200}, kTextLeft, f)), 50);
    f.face_name.clear();
    EXPECT_GT(InkCount(c.Draw("Blank face", {0, 0, 300, 200}, kTextLeft, f)), 50);
}

TEST(FreeTypeTextRenderer, Utf8TextDrawsWhatItsCodePageBytesDraw) {
    Canvas c;
    const Rect r{0, 0, 300, 200};
    // The same characters in either form: the same pixels.
    EXPECT_TRUE(c.DrawUtf8("Grüße, café – 5 €") == c.Draw("Gr\xFC\xDF" "e, caf\xE9 \x96 5 \x80", r, kTextLeft | kTextTop));
    // Bytes are code-page characters in ANSI text: "\xCC\xEE" is "Ìî", not Cyrillic.
    EXPECT_TRUE(c.DrawUtf8("Ìî") == c.Draw("\xCC\xEE", r, kTextLeft | kTextTop));
    EXPECT_FALSE(c.DrawUtf8("Мо") == c.Draw("\xCC\xEE", r, kTextLeft | kTextTop));
}

TEST(FreeTypeTextRenderer, GreekCyrillicAndPolishLettersAreDrawnFromTheFont) {
    Canvas c;
    for (std::string_view text : {"Ελλάδα", "Москва", "Łódź"}) {
        Bitmap drawn = c.DrawUtf8(text);
        EXPECT_GT(InkCount(drawn), 100) << text;
        EXPECT_FALSE(drawn == c.DrawUtf8("??????")) << text;
    }
    // Each letter its own glyph: no two of these draw alike, as boxes for missing
    // characters would.
    EXPECT_FALSE(c.DrawUtf8("Λ") == c.DrawUtf8("Ж"));
    EXPECT_FALSE(c.DrawUtf8("Ł") == c.DrawUtf8("L"));
}

TEST(FreeTypeTextRenderer, CharactersTheFontLacksComeFromAnInstalledFontThatHasThem) {
    Canvas c;
    // DejaVu Sans has no Japanese; a missing glyph would draw the same empty box for each.
    Bitmap tokyo = c.DrawUtf8("東");
    Bitmap kyoto = c.DrawUtf8("京");
    EXPECT_FALSE(tokyo == kyoto) << "both drawn as the font's box: no fallback font was found (scripts/bootstrap "
                                    "installs one with Japanese)";
    EXPECT_GT(InkCount(tokyo), 40);
    // Mixed with the font's own letters, on one line: the Latin part is the font's.
    Rect mixed = InkBounds(c.DrawUtf8("Tokyo 東京"));
    Rect latin = InkBounds(c.DrawUtf8("Tokyo"));
    EXPECT_EQ(mixed.left, latin.left);
    EXPECT_GT(mixed.right, latin.right + 30);
    // ANSI text never falls back: it is drawn from the font alone, as always.
    EXPECT_TRUE(c.Draw("Tokyo", {0, 0, 300, 200}, kTextLeft | kTextTop) == c.DrawUtf8("Tokyo"));
}

#if defined(__SANITIZE_ADDRESS__)
#define GD_HEAP_IS_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define GD_HEAP_IS_SANITIZED 1
#endif
#endif

// Regression: every renderer kept its font configuration (about 150 KB) after it was
// destroyed; a contact sheet makes one renderer per effect.
TEST(FreeTypeTextRenderer, ARendererGivesBackItsFontConfiguration) {
#ifdef GD_HEAP_IS_SANITIZED
    GTEST_SKIP() << "the leak checker of the sanitized build watches this";
#else
    auto use_one = [] {
        Canvas c;
        c.Draw("Leak", {0, 0, 300, 200}, kTextLeft);
    };
    use_one();  // the first one may fill process-wide caches
    malloc_trim(0);
    const size_t before = mallinfo2().uordblks;
    for (int i = 0; i < 10; ++i) use_one();
    malloc_trim(0);
    const size_t after = mallinfo2().uordblks;
    EXPECT_LT(after, before + 200 * 1024) << "grew by " << (after - before) << " bytes";
#endif
}

}  // namespace
}  // namespace gd
