// The main window in a high-contrast theme and out of it, in the test's own process under
// Wine: the navigation pane, the caption and banner samples and the preview panes read as
// pixels. The theme is a set of system colours of the test's own (distinct from Wine's
// and from each other) with the high-contrast question answered "on"; it is turned on and
// off while the window is open, as the system tells a program (WM_SETTINGCHANGE with
// SPI_SETHIGHCONTRAST).

#include <windows.h>

#include <array>
#include <filesystem>

#include "maker/win32/caption_sample.h"
#include "maker/win32/effect_view.h"
#include "maker/win32/maker_pages.h"
#include "maker/win32/maker_resource_ids.h"
#include "maker/win32/navigation_bar.h"
#include "maker/win32/picture_view.h"
#include "maker/win32/setting_sample.h"
#include "raster/pixel.h"
#include "tests/maker/win32/preview_support.h"
#include "tests/maker/win32/window_fixture.h"
#include "win32/dib_surface.h"
#include "win32/high_contrast.h"

namespace gd::test {
namespace {

constexpr std::array<int, 8> kThemeIndexes = {COLOR_WINDOW,        COLOR_WINDOWTEXT, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT,
                                              COLOR_BTNFACE,       COLOR_BTNTEXT,    COLOR_GRAYTEXT,  COLOR_HOTLIGHT};
constexpr std::array<COLORREF, 8> kTheme = {RGB(4, 8, 70),    RGB(250, 250, 200), RGB(0, 160, 200), RGB(20, 0, 0),
                                            RGB(30, 20, 10),  RGB(255, 255, 0),   RGB(0, 200, 0),   RGB(120, 200, 255)};

Pixel PixelOf(COLORREF color) { return PixelFromColorRef(ColorRef(color)); }

// What a window shows: painted now, read back from its drawing surface.
Bitmap Painted(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT client{};
    GetClientRect(window, &client);
    DibSurface copy(client.right, client.bottom);
    HDC dc = GetDC(window);
    BitBlt(copy.dc(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
    GdiFlush();
    return Snapshot(copy.View());
}

int Count(const Bitmap& b, Pixel p, RECT inside) {
    int n = 0;
    for (int y = std::max(0L, inside.top); y < std::min(long(b.height()), inside.bottom); ++y)
        for (int x = std::max(0L, inside.left); x < std::min(long(b.width()), inside.right); ++x) n += b.pixel(x, y) == p;
    return n;
}
int Count(const Bitmap& b, Pixel p) { return Count(b, p, RECT{0, 0, b.width(), b.height()}); }

class HighContrast : public MakerWindowTest {
protected:
    void SetUp() override {
        MakerWindowTest::SetUp();
        services_.make_page = MakeMakerPage;
        for (size_t i = 0; i < kThemeIndexes.size(); ++i) usual_[i] = GetSysColor(kThemeIndexes[i]);
        for (const char* name : {"pic1.jpg", "pic2.jpg"})
            std::filesystem::copy_file(Utf8Path(SourceFile(std::string("maker/program_folder/data/") + name)),
                                       folder_.path() / "data" / name);
    }
    void TearDown() override {
        SetSysColors(int(kThemeIndexes.size()), kThemeIndexes.data(), usual_.data());
        OverrideHighContrast(std::nullopt);
        MakerWindowTest::TearDown();
    }
    // Turns the theme on or off as the system does, then tells the window.
    void Theme(bool on) {
        OverrideHighContrast(on);
        SetSysColors(int(kThemeIndexes.size()), kThemeIndexes.data(), on ? kTheme.data() : usual_.data());
        SendMessageW(frame_->hwnd(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
        DropPendingMessages();
    }
    template <class View> View& Show(int page) {
        SendMessageW(frame_->navigation().Button(page), BM_CLICK, 0, 0);
        return *dynamic_cast<View*>(frame_->pages().page(page));
    }

    std::array<COLORREF, 8> usual_{};
};

// A sample drawn into a surface of its own size.
template <class Draw> Bitmap DrawnSample(int width, int height, Draw draw) {
    DibSurface surface(width, height);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_STATIC;
    item.hDC = surface.dc();
    item.rcItem = RECT{0, 0, width, height};
    draw(item);
    GdiFlush();
    return Snapshot(surface.View());
}

LogFont SampleFont() {
    LogFont font;
    font.face_name = "Arial";
    font.height = -28;
    font.weight = 700;
    font.quality = NONANTIALIASED_QUALITY;
    return font;
}

TEST_F(HighContrast, NavigationPaneTakesTheThemesColoursAndGivesThemBack) {
    MakeFrame();
    const CNavigationBar& pane = frame_->navigation();
    RECT r{};
    GetClientRect(pane.Button(kMusicPage), &r);
    const RECT caption{0, r.bottom / 2, r.right, r.bottom};  // below the icon
    const POINT ground{r.right / 2, r.bottom - 3};            // under the caption, inside the edge

    // Today's look: grey, captions in black, whatever the system's colours.
    Bitmap plain = Painted(pane.Button(kMusicPage));
    EXPECT_EQ(plain.pixel(ground.x, ground.y), PixelOf(kNavigationColor));
    EXPECT_GT(Count(plain, PixelOf(RGB(0, 0, 0)), caption), 20);

    Theme(true);
    const Bitmap unchecked = Painted(pane.Button(kMusicPage));
    EXPECT_EQ(unchecked.pixel(ground.x, ground.y), PixelOf(kTheme[4])) << "button face";
    EXPECT_GT(Count(unchecked, PixelOf(kTheme[5]), caption), 20) << "button text";
    EXPECT_EQ(Count(unchecked, PixelOf(kNavigationColor)), 0);
    const Bitmap checked = Painted(pane.Button(pane.checked()));
    EXPECT_EQ(checked.pixel(ground.x, ground.y), PixelOf(kTheme[2])) << "the shown page's button is highlighted";
    EXPECT_GT(Count(checked, PixelOf(kTheme[3]), caption), 20) << "highlight text";
    // The pane's ground below the buttons.
    const Bitmap whole = Painted(pane.hwnd());
    EXPECT_EQ(whole.pixel(2, whole.height() - 2), PixelOf(kTheme[4]));

    // Switched off while the window is open: the grey and black come back.
    Theme(false);
    plain = Painted(pane.Button(pane.checked()));
    EXPECT_EQ(plain.pixel(ground.x, ground.y), PixelOf(kNavigationColor));
    EXPECT_EQ(Count(plain, PixelOf(kTheme[2])), 0);
}

TEST_F(HighContrast, CaptionSampleIsFramedInTheThemeAndKeepsTheCaptionsColour) {
    const ColorRef yellow = 0x0000FFFF;
    auto sample = [&](ColorRef color) {
        return DrawnSample(220, 60, [&](const DRAWITEMSTRUCT& item) { DrawCaptionSample(item, SampleFont(), color, L"Wave"); });
    };
    const RECT inside{3, 3, 217, 57};

    Bitmap plain = sample(yellow);
    EXPECT_EQ(plain.pixel(10, 30), PixelOf(GetSysColor(COLOR_BTNFACE)));
    EXPECT_GT(Count(plain, PixelFromColorRef(yellow), inside), 50);

    MakeFrame();
    Theme(true);
    Bitmap themed = sample(yellow);
    EXPECT_EQ(themed.pixel(0, 0), PixelOf(kTheme[1])) << "a frame in the theme's text colour";
    EXPECT_EQ(themed.pixel(10, 30), PixelOf(kTheme[0])) << "on the theme's window colour";
    EXPECT_GT(Count(themed, PixelFromColorRef(yellow), inside), 50) << "the caption keeps its colour";
    EXPECT_EQ(Count(themed, PixelOf(kTheme[1]), inside), 0) << "readable as it is: no outline";

    // A caption of nearly the theme's ground colour is outlined in the theme's text colour.
    const ColorRef navy = ColorRef(RGB(6, 10, 72));
    themed = sample(navy);
    EXPECT_GT(Count(themed, PixelFromColorRef(navy), inside), 50);
    EXPECT_GT(Count(themed, PixelOf(kTheme[1]), inside), 50);
    // Outside high contrast the same colour is drawn as it is.
    Theme(false);
    plain = sample(ColorRef(GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(Count(plain, PixelOf(kTheme[1]), inside), 0);
}

TEST_F(HighContrast, BannerSampleStaysInTheUsersColours) {
    MakeFrame();
    Theme(true);
    const ColorRef ground = 0x00402010, text = 0x0040C8F8;
    const Bitmap shown = DrawnSample(220, 50, [&](const DRAWITEMSTRUCT& item) {
        DrawBannerSample(item, ground, SampleFont(), text, L"Harbour");
    });
    EXPECT_EQ(shown.pixel(2, 2), PixelFromColorRef(ground)) << "the show's background colour";
    EXPECT_GT(Count(shown, PixelFromColorRef(text)), 50);
    EXPECT_EQ(Count(shown, PixelOf(kTheme[0])) + Count(shown, PixelOf(kTheme[4])), 0);
}

TEST_F(HighContrast, PreviewPanesHaveTheThemesGroundAroundTheUsersPictures) {
    const std::string wide = WriteColorJpeg(folder_, "wide.jpg", 40, 8, RGB(200, 30, 30));
    MakeFrame();
    CParamData& project = frame_->doc().project();
    project.pictureList.push_back(CPictureData(wide, frame_->doc().DefaultCaptionStyle()));
    auto& pictures = Show<CPictureView>(kPicturesPage);
    pictures.ClickRow(0);
    ASSERT_TRUE(pictures.preview().has_picture());
    auto centre = [](const Bitmap& b) { return b.pixel(b.width() / 2, b.height() / 2); };
    auto red = [](Pixel p) { return ((p >> 16) & 0xFF) > 150 && ((p >> 8) & 0xFF) < 80; };
    Bitmap shown = pictures.preview().Shown();
    EXPECT_EQ(shown.pixel(1, 1), PixelOf(RGB(0, 0, 0)));
    EXPECT_TRUE(red(centre(shown)));

    Theme(true);
    shown = pictures.preview().Shown();
    EXPECT_EQ(shown.pixel(1, 1), PixelOf(kTheme[0])) << "the theme's window colour around the picture";
    EXPECT_TRUE(red(centre(shown))) << "the picture keeps its colours";
    EXPECT_EQ(Painted(pictures.preview().hwnd()).pixel(1, 1), PixelOf(kTheme[0]));

    // The demonstration pane: its ground while stopped, and the ground its show plays on.
    auto& effects = Show<CEffectView>(kEffectsPage);
    EffectDemoPane& demo = effects.demo();
    demo.Stop();
    EXPECT_EQ(Painted(demo.hwnd()).pixel(2, 2), PixelOf(kTheme[0]));
    demo.Demonstrate(3);
    EXPECT_EQ(demo.show()->settings().background_color, ColorRef(kTheme[0]));
    Theme(false);
    EXPECT_TRUE(demo.playing()) << "the demonstration goes on";
    EXPECT_EQ(demo.show()->settings().background_color, 0u) << "on black again";
    demo.Stop();
    EXPECT_EQ(Painted(demo.hwnd()).pixel(2, 2), PixelOf(RGB(0, 0, 0)));
    Show<CPictureView>(kPicturesPage);
    EXPECT_EQ(pictures.preview().Shown().pixel(1, 1), PixelOf(RGB(0, 0, 0)));
}

TEST_F(HighContrast, ContrastRatioRanksColoursAsTheEyeDoes) {
    EXPECT_NEAR(ContrastRatio(RGB(0, 0, 0), RGB(255, 255, 255)), 21.0, 0.01);
    EXPECT_NEAR(ContrastRatio(RGB(90, 90, 90), RGB(90, 90, 90)), 1.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(RGB(255, 255, 255), RGB(0, 0, 0)), ContrastRatio(RGB(0, 0, 0), RGB(255, 255, 255)), 1e-9);
    // Pure green is far lighter than pure blue of the same value.
    EXPECT_GT(ContrastRatio(RGB(0, 255, 0), RGB(0, 0, 0)), ContrastRatio(RGB(0, 0, 255), RGB(0, 0, 0)) * 5);
    EXPECT_TRUE(HardToTellApart(RGB(4, 8, 70), RGB(6, 10, 72)));
    EXPECT_FALSE(HardToTellApart(RGB(255, 255, 0), RGB(4, 8, 70)));
}

}  // namespace
}  // namespace gd::test
