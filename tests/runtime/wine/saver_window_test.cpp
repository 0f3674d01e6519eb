// The full-screen window in the test's own process, fed messages directly: the parts of
// its behaviour that a screenshot or a key press from outside cannot show.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <utility>

#include "runtime/resource_source.h"
#include "runtime/win32/saver_wnd.h"
#include "common/resource_types.h"
#include "tests/runtime/wine/message_pump.h"
#include "tests/runtime/wine/window_pixels.h"

namespace gd {
namespace {

bool GoneWithin(HWND window, DWORD milliseconds) {
    return PumpMessagesUntil([window] { return !IsWindow(window); }, milliseconds);
}

// The same layout in every mode, whatever the platform's monitors.
CSaverWnd::LayoutSource Fixed(ScreenLayout layout) {
    return [layout](MonitorMode) { return layout; };
}

class SaverWindow : public ::testing::Test {
protected:
    void SetUp() override {
        config_.picture_count = 0;  // a black show: the rules, not the pictures, are under test
        saver_ = CSaverWnd::Create(GetModuleHandleA(nullptr), config_, std::make_shared<MemoryResourceSource>());
        ASSERT_NE(saver_, nullptr);
        window_ = saver_->hwnd();
    }
    void TearDown() override {
        if (IsWindow(window_)) DestroyWindow(window_);
        DropPendingMessages();
    }

    SaverConfig config_;
    CSaverWnd* saver_ = nullptr;
    HWND window_ = nullptr;
};

TEST_F(SaverWindow, CoversThePrimaryScreenOnTop) {
    RECT r{};
    GetWindowRect(window_, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_TRUE(GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(SaverWindow, HidesTheCursorWhileIdle) {
    SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));  // IDC_ARROW
    ASSERT_NE(GetCursor(), nullptr);
    EXPECT_TRUE(SendMessageA(window_, WM_SETCURSOR, WPARAM(window_), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(GetCursor(), nullptr);
}

TEST_F(SaverWindow, OnlyItsOwnCloseRequestClosesIt) {
    SendMessageA(window_, WM_CLOSE, 0, 0);
    SendMessageA(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
    SendMessageA(window_, WM_SYSCOMMAND, SC_SCREENSAVE, 0);
    EXPECT_FALSE(GoneWithin(window_, 300)) << "a close message from outside closed the show";
    EXPECT_FALSE(SendMessageA(window_, WM_NCACTIVATE, FALSE, 0)) << "the frame may not turn inactive";

    SendMessageA(window_, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(GoneWithin(window_, 3000)) << "Escape asked to close, and the window stayed";
}

TEST_F(SaverWindow, KeysAndButtonsEndItOnlyWhenAllowed) {
    // Every flag is off: a letter and the left and right buttons do nothing...
    SendMessageA(window_, WM_KEYDOWN, 'A', 0);
    SendMessageA(window_, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageA(window_, WM_RBUTTONDOWN, MK_RBUTTON, 0);
    EXPECT_FALSE(GoneWithin(window_, 300));
    // ...while the middle button always ends the show.
    SendMessageA(window_, WM_MBUTTONDOWN, MK_MBUTTON, 0);
    EXPECT_TRUE(GoneWithin(window_, 3000));
}

TEST_F(SaverWindow, LosingActivationEndsIt) {
    SendMessageA(window_, WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_TRUE(GoneWithin(window_, 3000));
}

// Several monitors: the window covers them all, the show plays on the primary one and
// the others stay black. The layout stands in for a secondary monitor of 424 x 600 left
// of a primary of 600 x 480, moved so that all of it lies on the test's screen.
TEST(SaverWindowLayout, CoversEveryMonitorAndPlaysOnThePrimaryOnly) {
    SaverConfig config;
    config.bg_color = kBackground;
    config.picture_count = config.has_pictures = 1;
    config.picture_pause = 30;
    config.effect_millisecond = 200;
    config.effect_on.fill(1);
    auto source = std::make_shared<MemoryResourceSource>();
    source->Add(RT_SAVER_PICTURE, 0, HalvesJpeg(200, 100, kRed, kBlue));
    const ScreenLayout layout{{0, 0, 1024, 600}, {ShowStage{{424, 0, 1024, 480}}}};
    CSaverWnd* saver = CSaverWnd::Create(GetModuleHandleA(nullptr), config, source, Fixed(layout));
    ASSERT_NE(saver, nullptr);
    HWND window = saver->hwnd();
    RECT r{};
    GetWindowRect(window, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, 1024);
    EXPECT_EQ(r.bottom, 600);
    // The picture keeps its size, centred on the stage at (724, 240).
    const std::vector<Probe> shown = {{680, 240, kRed},        {770, 240, kBlue},  {430, 5, kBackground},
                                      {1018, 474, kBackground}, {200, 300, kBlack}, {418, 5, kBlack},
                                      {700, 550, kBlack},       {700, 484, kBlack}};
    EXPECT_TRUE(ShowsWithin(window, shown, 4000));
    // Uncovered, the window repaints the same way, the other monitors black again.
    HDC dc = GetDC(window);
    RECT all{0, 0, 1024, 600};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ReleaseDC(window, dc);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(ShowsWithin(window, shown, 500));
    DestroyWindow(window);
    DropPendingMessages();
}

// Two monitors side by side, stood in for by two stages of one window: a 600 x 480
// primary and a 424 x 600 secondary at its right. Two pictures, red and blue, at their
// own size (centred on each stage), in order.
const std::vector<MonitorArea> kTwoMonitorAreas{{{0, 0, 600, 480}, true}, {{600, 0, 1024, 600}, false}};
const ScreenLayout kTwoMonitors{{0, 0, 1024, 600}, {ShowStage{{0, 0, 600, 480}}, ShowStage{{600, 0, 1024, 600}}}};

// The layout of kTwoMonitorAreas in the mode the screensaver asks for.
CSaverWnd::LayoutSource TwoMonitors() {
    return [](MonitorMode mode) { return FullScreenLayout(kTwoMonitorAreas, {0, 0, 600, 480}, mode); };
}

SaverConfig TwoPictureShow(int32_t monitor_mode) {
    SaverConfig config;
    config.bg_color = kBackground;
    config.picture_count = config.has_pictures = 2;
    config.shuffle_pic = 0;
    config.picture_pause = 30;
    config.effect_millisecond = 200;
    config.effect_on.fill(1);
    config.monitor_mode = monitor_mode;
    return config;
}

std::shared_ptr<MemoryResourceSource> RedAndBlue() {
    auto source = std::make_shared<MemoryResourceSource>();
    source->Add(RT_SAVER_PICTURE, 0, HalvesJpeg(200, 100, kRed, kRed));
    source->Add(RT_SAVER_PICTURE, 1, HalvesJpeg(200, 100, kBlue, kBlue));
    return source;
}

// The colour in the middle of each stage of a layout, as the window shows it.
std::vector<COLORREF> StageMiddles(HWND window, const ScreenLayout& layout) {
    std::vector<COLORREF> middles;
    for (const ShowStage& s : layout.stages)
        middles.push_back(PixelAt(window, (s.rect.left + s.rect.right) / 2, (s.rect.top + s.rect.bottom) / 2));
    return middles;
}

// Whether the stages' middles show one of `colors` each, within `ms`; `distinct`: no
// colour twice.
bool StagesShowWithin(HWND window, const ScreenLayout& layout, std::vector<COLORREF> colors, bool distinct, DWORD ms) {
    return PumpMessagesUntil([&] {
        const std::vector<COLORREF> middles = StageMiddles(window, layout);
        for (size_t i = 0; i < middles.size(); ++i) {
            if (std::none_of(colors.begin(), colors.end(), [&](COLORREF c) { return Near(middles[i], c); })) return false;
            for (size_t j = 0; j < i && distinct; ++j)
                if (Near(middles[i], middles[j])) return false;
        }
        return true;
    }, ms);
}

TEST(SaverWindowMonitors, EachModePlaysOnItsMonitors) {
    struct Case {
        int32_t mode;
        size_t shows;
        std::vector<Probe> probes;  // none: the stages show the two pictures, one each
    };
    const Case cases[] = {
        // Only the primary; the secondary stays black, around the primary's picture its
        // background.
        {0, 1, {{300, 240, kRed}, {5, 5, kBackground}, {812, 300, kBlack}, {610, 5, kBlack}, {300, 550, kBlack}}},
        // The same show: both monitors begin with the first picture, each on its background.
        {1, 2, {{300, 240, kRed}, {812, 300, kRed}, {5, 5, kBackground}, {610, 5, kBackground}, {300, 550, kBlack}}},
        // A picture each: the two pictures are shared out, whichever monitor asks first.
        {2, 2, {{610, 5, kBackground}, {300, 550, kBlack}}},
    };
    for (const Case& c : cases) {
        CSaverWnd* saver = CSaverWnd::Create(GetModuleHandleA(nullptr), TwoPictureShow(c.mode), RedAndBlue(), TwoMonitors());
        ASSERT_NE(saver, nullptr);
        EXPECT_EQ(saver->shows().group().size(), c.shows) << "mode " << c.mode;
        if (c.mode == 2) EXPECT_TRUE(StagesShowWithin(saver->hwnd(), kTwoMonitors, {kRed, kBlue}, true, 4000));
        EXPECT_TRUE(ShowsWithin(saver->hwnd(), c.probes, 4000)) << "mode " << c.mode;
        DestroyWindow(saver->hwnd());
        DropPendingMessages();
    }
}

// The monitors change during the show: the window takes the new layout and the shows go
// on there; a monitor that went leaves nothing behind, a new one shows a picture of its
// own, and a show whose monitor moved goes with it.
TEST(SaverWindowMonitors, ADisplayChangeLaysTheShowsOutAgain) {
    auto layout = std::make_shared<ScreenLayout>(kTwoMonitors);
    CSaverWnd* saver = CSaverWnd::Create(GetModuleHandleA(nullptr), TwoPictureShow(2), RedAndBlue(),
                                         [layout](MonitorMode) { return *layout; });
    ASSERT_NE(saver, nullptr);
    HWND window = saver->hwnd();
    ASSERT_TRUE(StagesShowWithin(window, kTwoMonitors, {kRed, kBlue}, true, 4000));
    ShowHost* primary = &saver->shows().group().host(0);
    const COLORREF primary_color = StageMiddles(window, kTwoMonitors)[0];

    // The secondary is unplugged: the window shrinks to the primary, whose show plays on.
    *layout = ScreenLayout{{0, 0, 600, 480}, {ShowStage{{0, 0, 600, 480}}}};
    SendMessageA(window, WM_DISPLAYCHANGE, 32, MAKELPARAM(600, 480));
    EXPECT_TRUE(PumpMessagesUntil([&] { return saver->layout() == *layout; }, 3000));
    RECT r{};
    GetWindowRect(window, &r);
    EXPECT_EQ(r.right, 600);
    EXPECT_EQ(r.bottom, 480);
    ASSERT_EQ(saver->shows().group().size(), 1u);
    EXPECT_EQ(&saver->shows().group().host(0), primary);
    EXPECT_TRUE(ShowsWithin(window, {{300, 240, primary_color}, {5, 5, kBackground}}, 2000));

    // Rearranged, with a monitor plugged in left of the primary: the primary's show moves
    // with its monitor, and the new one plays the other picture.
    *layout = ScreenLayout{{0, 0, 1024, 600}, {ShowStage{{0, 0, 424, 600}}, ShowStage{{424, 0, 1024, 480}}}};
    SendMessageA(window, WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 600));
    EXPECT_TRUE(PumpMessagesUntil([&] { return saver->layout() == *layout; }, 3000));
    ASSERT_EQ(saver->shows().group().size(), 2u);
    EXPECT_EQ(&saver->shows().group().host(1), primary);
    GetWindowRect(window, &r);
    EXPECT_EQ(r.right, 1024);
    EXPECT_TRUE(ShowsWithin(window, {{724, 240, primary_color}, {700, 550, kBlack}, {430, 5, kBackground}}, 2000));
    EXPECT_TRUE(StagesShowWithin(window, *layout, {kRed, kBlue}, true, 4000)) << "the new monitor shows no picture of its own";
    EXPECT_TRUE(IsWindowVisible(window)) << "the show ended";
    DestroyWindow(window);
    DropPendingMessages();
}

// A payload that notes every entry looked up in it (the music thread looks up too).
class CountingSource : public ResourceSource {
public:
    explicit CountingSource(std::shared_ptr<MemoryResourceSource> inner) : inner_(std::move(inner)) {}
    std::optional<std::span<const uint8_t>> Find(uint16_t type, uint16_t id) const override {
        {
            std::lock_guard lock(mutex_);
            looked_up_.insert({type, id});
        }
        return inner_->Find(type, id);
    }
    std::set<std::pair<uint16_t, uint16_t>> looked_up() const {
        std::lock_guard lock(mutex_);
        return looked_up_;
    }

private:
    std::shared_ptr<MemoryResourceSource> inner_;
    mutable std::mutex mutex_;
    mutable std::set<std::pair<uint16_t, uint16_t>> looked_up_;
};

// A show of 40 pictures in order, shown at once without a transition; picture 0 is red
// and blue, the others would show as yellow.
SaverConfig FortyPictureShow() {
    SaverConfig config;
    config.bg_color = kBackground;
    config.picture_count = 40;
    config.has_pictures = 1;
    config.shuffle_pic = 0;
    config.picture_pause = 30;
    config.effect_millisecond = 200;
    return config;
}

std::shared_ptr<MemoryResourceSource> FortyPictures() {
    auto pictures = std::make_shared<MemoryResourceSource>();
    pictures->Add(RT_SAVER_PICTURE, 0, HalvesJpeg(200, 100, kRed, kBlue));
    for (uint16_t id = 1; id < 40; ++id) pictures->Add(RT_SAVER_PICTURE, id, HalvesJpeg(200, 100, kYellow, kYellow));
    return pictures;
}

const std::vector<Probe> kFirstPicture = {{462, 384, kRed}, {562, 384, kBlue}, {100, 100, kBackground}};

// A large payload costs nothing at start: the show looks up the first picture and its
// caption when it needs them, and no other entry (no scan, count or check of the rest).
TEST(SaverWindowStartUp, LooksUpOnlyTheFirstPictureAndItsCaption) {
    auto source = std::make_shared<CountingSource>(FortyPictures());
    CSaverWnd* saver = CSaverWnd::Create(GetModuleHandleA(nullptr), FortyPictureShow(), source);
    ASSERT_NE(saver, nullptr);
    HWND window = saver->hwnd();
    EXPECT_TRUE(ShowsWithin(window, kFirstPicture, 4000));
    const std::set<std::pair<uint16_t, uint16_t>> expected = {{RT_SAVER_PICTURE, 0}, {RT_SAVER_CAPTION, 0}};
    EXPECT_EQ(source->looked_up(), expected);
    DestroyWindow(window);
    DropPendingMessages();
}

// REELHOST_PRESENT_LOG: one line when the first frame reached the window, with that time
// and the process's creation time in microseconds since 1970; later presents add none.
TEST(SaverWindowStartUp, LogsTheFirstPresentWhenAsked) {
    char folder[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, folder), 0u);
    const std::string log = std::string(folder) + "reelhost_present_test.log";
    DeleteFileA(log.c_str());
    ASSERT_TRUE(SetEnvironmentVariableA("REELHOST_PRESENT_LOG", log.c_str()));
    CSaverWnd* saver = CSaverWnd::Create(GetModuleHandleA(nullptr), FortyPictureShow(), FortyPictures());
    SetEnvironmentVariableA("REELHOST_PRESENT_LOG", nullptr);
    ASSERT_NE(saver, nullptr);
    HWND window = saver->hwnd();
    EXPECT_TRUE(ShowsWithin(window, kFirstPicture, 4000));
    PumpMessagesUntil([] { return false; }, 300);  // the settle repaints and any later present
    DestroyWindow(window);
    DropPendingMessages();

    FILETIME now_ft{};
    GetSystemTimeAsFileTime(&now_ft);
    const long long now = (((long long)now_ft.dwHighDateTime << 32 | now_ft.dwLowDateTime) - 116444736000000000LL) / 10;
    std::ifstream in(log);
    std::string line, extra;
    ASSERT_TRUE(std::getline(in, line)) << "nothing logged";
    EXPECT_FALSE(std::getline(in, extra)) << "a second line: " << extra;
    long long present = 0, created = 0;
    ASSERT_EQ(std::sscanf(line.c_str(), "first_present_us=%lld process_created_us=%lld", &present, &created), 2) << line;
    EXPECT_LE(created, present);
    EXPECT_LE(present, now);
    EXPECT_GT(present, now - 60'000'000) << "not the time of this run";
    in.close();
    ASSERT_TRUE(DeleteFileA(log.c_str()));

    // Without the variable nothing is written.
    saver = CSaverWnd::Create(GetModuleHandleA(nullptr), FortyPictureShow(), FortyPictures());
    ASSERT_NE(saver, nullptr);
    window = saver->hwnd();
    EXPECT_TRUE(ShowsWithin(window, kFirstPicture, 4000));
    DestroyWindow(window);
    DropPendingMessages();
    EXPECT_EQ(GetFileAttributesA(log.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace gd
