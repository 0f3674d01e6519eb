// The system's font dialog as the caption and banner buttons open it (the real dialog,
// under Wine with the fonts the build machine has): it starts on the font it is given.

#include <windows.h>

#include "maker/project/caption_defaults.h"
#include "maker/win32/font_prompt.h"
#include "tests/maker/win32/window_fixture.h"

namespace gd::test {
namespace {

// The dialog's face, style and size boxes (the system's template ids).
constexpr int kFaceBox = 0x470, kStyleBox = 0x471, kSizeBox = 0x472;

struct Opened {
    std::wstring face, style, size;
};

// Opens the dialog on `font`, reads what it starts on and cancels it.
Opened OpenOn(const LogFont& font) {
    Opened opened;
    ModalDriver driver([&opened] {
        HWND dialog = FindThreadWindow(L"Font");
        if (!dialog) return false;
        wchar_t text[LF_FACESIZE * 2] = {};
        GetDlgItemTextW(dialog, kFaceBox, text, int(std::size(text)));
        opened.face = text;
        GetDlgItemTextW(dialog, kStyleBox, text, int(std::size(text)));
        opened.style = text;
        GetDlgItemTextW(dialog, kSizeBox, text, int(std::size(text)));
        opened.size = text;
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return true;
    });
    EXPECT_FALSE(ChooseScreenFont(nullptr, font, 0).has_value());
    return opened;
}

// The face the system makes of a font, as the dialog lists it.
std::wstring RealizedFace(const LogFont& font) {
    LOGFONTW lf = ToLogFontW(font);
    HDC dc = GetDC(nullptr);
    HFONT made = CreateFontIndirectW(&lf);
    HGDIOBJ old = SelectObject(dc, made);
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    SelectObject(dc, old);
    DeleteObject(made);
    ReleaseDC(nullptr, dc);
    return face;
}

TEST(FontDialog, OpensOnTheCaptionsFont) {
    // A face the system lists, bold, 20 points as a character height at the screen's DPI.
    LogFont sans{};
    sans.face_name = "DejaVu Sans";
    sans.weight = FW_BOLD;
    HDC dc = GetDC(nullptr);
    sans.height = -MulDiv(20, GetDeviceCaps(dc, LOGPIXELSY), 72);
    ReleaseDC(nullptr, dc);
    Opened opened = OpenOn(sans);
    EXPECT_EQ(opened.face, L"DejaVu Sans");
    EXPECT_EQ(opened.style, L"Bold");
    EXPECT_EQ(opened.size, L"20");

    // The default caption font: a face the system may only substitute, a cell height.
    // The dialog starts on what the screensaver will draw with, not on its first face.
    const LogFont caption = CaptionDefaults{}.font;
    opened = OpenOn(caption);
    EXPECT_EQ(opened.face, RealizedFace(caption));
    EXPECT_EQ(opened.style, L"Bold");
    EXPECT_FALSE(opened.size.empty());
    EXPECT_NE(opened.size, L"6");
}

}  // namespace
}  // namespace gd::test
