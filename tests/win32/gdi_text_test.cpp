// The show's GDI text: ANSI text through the ANSI functions as always, UTF-8 text through
// the wide ones, and the platform's font linking for what the font lacks.

#include <windows.h>

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "win32/dib_surface.h"
#include "win32/gdi_text.h"
#include "win32/gdi_text_renderer.h"

namespace gd {
namespace {

bool HasFont(const wchar_t* face) {
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    HDC dc = GetDC(nullptr);
    bool found = false;
    EnumFontFamiliesExW(
        dc, &lf, [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) -> int {
            *reinterpret_cast<bool*>(found) = true;
            return 0;
        },
        LPARAM(&found), 0);
    ReleaseDC(nullptr, dc);
    return found;
}

constexpr Pixel kBack = 0x00102030;
constexpr unsigned kFormat = kTextLeft | kTextTop | kTextNoClip;

LogFont Font(const char* face = "DejaVu Sans") {
    LogFont f;
    f.height = -24;
    f.weight = 400;
    f.face_name = face;
    return f;
}

class GdiText : public ::testing::Test {
protected:
    Bitmap Draw(std::string_view text, TextForm form, const LogFont& font = Font()) {
        Bitmap view = frame_.View();
        view.Fill(kBack);
        renderer_.DrawText(view, text, form, {4, 4, 316, 60}, kFormat, font, 0x00FFFFFF);
        Bitmap copy(view.width(), view.height());  // copying the view would copy the view
        for (int y = 0; y < view.height(); ++y)
            for (int x = 0; x < view.width(); ++x) copy.set_pixel(x, y, view.pixel(x, y));
        return copy;
    }
    static int64_t Ink(const Bitmap& b) {
        int64_t n = 0;
        for (int y = 0; y < b.height(); ++y)
            for (int x = 0; x < b.width(); ++x) n += b.pixel(x, y) != kBack;
        return n;
    }

    DibSurface frame_{320, 64};
    GdiTextRenderer renderer_{frame_};
};

TEST_F(GdiText, Utf8TextDrawsWhatItsCodePageBytesDrawUnderAWesternCodePage) {
    if (GetACP() != 1252) GTEST_SKIP() << "the ANSI code page here is " << GetACP();
    EXPECT_TRUE(Draw("Gr\xFC\xDF" "e, caf\xE9 \x96 5 \x80", TextForm::kAnsi) ==
                Draw("Grüße, café – 5 €", TextForm::kUtf8));
}

TEST_F(GdiText, GreekCyrillicAndPolishLettersAreDrawnAsThemselves) {
    const Bitmap question_marks = Draw("??????", TextForm::kUtf8);
    for (std::string_view text : {"Ελλάδα", "Москва", "Łódź — zima"}) {
        Bitmap drawn = Draw(text, TextForm::kUtf8);
        EXPECT_GT(Ink(drawn), 100) << text;
        EXPECT_FALSE(drawn == question_marks) << text;
    }
    // Each letter its own glyph, not one box for all.
    EXPECT_FALSE(Draw("Λ", TextForm::kUtf8) == Draw("Ж", TextForm::kUtf8));
    EXPECT_FALSE(Draw("Ł", TextForm::kUtf8) == Draw("L", TextForm::kUtf8));
    // Through the ANSI functions the same text could not be drawn: that is the old path.
    EXPECT_FALSE(Draw("Ελλάδα", TextForm::kUtf8) == Draw("Ελλάδα", TextForm::kAnsi));
}

TEST_F(GdiText, JapaneseIsDrawnFromAFontThatHasItAndItsFaceNameMayBeJapanese) {
    // The tests' Japanese font (scripts/bootstrap), by its name and by its Japanese name;
    // the session of win32_japanese_text lets Wine see it (tests/win32/CMakeLists.txt).
    if (!HasFont(L"IPAGothic")) GTEST_SKIP() << "Wine sees no IPAGothic in this session";
    for (const char* face : {"IPAGothic", "IPA\u30B4\u30B7\u30C3\u30AF"}) {
        const LogFont font = Font(face);
        const Bitmap tokyo = Draw("\u6771\u4EAC", TextForm::kUtf8, font);
        EXPECT_GT(Ink(tokyo), 100) << face;
        EXPECT_FALSE(tokyo == Draw("\u4EAC\u6771", TextForm::kUtf8, font)) << "each its own glyph, not boxes: " << face;
        EXPECT_FALSE(tokyo == Draw("??", TextForm::kUtf8, font)) << face;
    }
}

TEST_F(GdiText, AFaceNameInUnicodeIsCutToTheFieldBetweenCharacters) {
    LogFont font = Font();
    font.face_name = std::string(30, 'x') + "\U0001F388";  // 30 units and a pair: the pair would not fit
    LOGFONTW lf = ToLogFontW(font);
    EXPECT_EQ(std::wstring(lf.lfFaceName), std::wstring(30, L'x'));
    font.face_name = "Шрифт";
    EXPECT_EQ(std::wstring(ToLogFontW(font).lfFaceName), L"\u0428\u0440\u0438\u0444\u0442");
    EXPECT_EQ(ToLogFontW(font).lfHeight, -24);
}

}  // namespace
}  // namespace gd
