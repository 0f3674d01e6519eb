// What a screen reader learns of the main window through the accessibility interface
// (IAccessible): the navigation buttons and the toolbar's buttons by name, role and
// state, and the icon-only buttons by their tooltip's text. The objects are the ones
// WM_GETOBJECT hands out; the tests' Wine prefix has no marshaller for IAccessible, so
// AccessibleObjectFromWindow cannot pass them and they are read in place.

#include <windows.h>
#include <oleacc.h>

#include "maker/win32/maker_pages.h"
#include "maker/win32/maker_resource_ids.h"
#include "tests/maker/win32/window_fixture.h"
#include "win32/accessible_window.h"

namespace gd::test {
namespace {

struct Read {
    std::wstring name;
    long role = 0;
    long state = 0;
};

class Accessibility : public MakerWindowTest {
protected:
    void SetUp() override {
        MakerWindowTest::SetUp();
        services_.make_page = MakeMakerPage;
        CoInitialize(nullptr);
    }
    void TearDown() override {
        MakerWindowTest::TearDown();
        CoUninitialize();
    }
    static IAccessible* ObjectOf(HWND window) {
        return AccessibleObjectOf(window);
    }
    static Read ReadChild(IAccessible* object, long child) {
        Read read;
        VARIANT id{};
        id.vt = VT_I4;
        id.lVal = child;
        BSTR name = nullptr;
        if (object->get_accName(id, &name) == S_OK && name) read.name = name;
        SysFreeString(name);
        VARIANT value{};
        if (object->get_accRole(id, &value) == S_OK && value.vt == VT_I4) read.role = value.lVal;
        if (object->get_accState(id, &value) == S_OK && value.vt == VT_I4) read.state = value.lVal;
        return read;
    }
    static Read ReadWindow(HWND window) {
        IAccessible* object = ObjectOf(window);
        EXPECT_NE(object, nullptr);
        if (!object) return {};
        Read read = ReadChild(object, CHILDID_SELF);
        object->Release();
        return read;
    }
};

TEST_F(Accessibility, NavigationButtonsArePageTabsWithTheShownOneSelected) {
    MakeFrame();
    const wchar_t* names[] = {nullptr, L"General", L"Pictures", L"Music", L"Settings", L"Effects"};
    SendMessageW(frame_->navigation().Button(kMusicPage), BM_CLICK, 0, 0);
    for (int page = 1; page <= kPageCount; ++page) {
        const Read read = ReadWindow(frame_->navigation().Button(page));
        EXPECT_EQ(read.name, names[page]);
        EXPECT_EQ(read.role, ROLE_SYSTEM_PAGETAB) << page;
        EXPECT_EQ((read.state & STATE_SYSTEM_SELECTED) != 0, page == kMusicPage) << page;
        EXPECT_TRUE(read.state & STATE_SYSTEM_FOCUSABLE) << page;
    }
    SetFocus(frame_->navigation().Button(kMusicPage));
    EXPECT_TRUE(ReadWindow(frame_->navigation().Button(kMusicPage)).state & STATE_SYSTEM_FOCUSED);

    // The default action switches pages as a click does.
    IAccessible* effects = ObjectOf(frame_->navigation().Button(kEffectsPage));
    ASSERT_NE(effects, nullptr);
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    EXPECT_EQ(effects->accDoDefaultAction(self), S_OK);
    effects->Release();
    MSG posted;
    while (PeekMessageW(&posted, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&posted);
    EXPECT_EQ(frame_->pages().current(), kEffectsPage);
    EXPECT_TRUE(ReadWindow(frame_->navigation().Button(kEffectsPage)).state & STATE_SYSTEM_SELECTED);
}

TEST_F(Accessibility, ToolbarButtonsAreNamedPushButtons) {
    MakeFrame();
    HWND toolbar = frame_->bars().toolbar();
    IAccessible* object = ObjectOf(toolbar);
    ASSERT_NE(object, nullptr);
    long count = 0;
    object->get_accChildCount(&count);
    EXPECT_EQ(count, long(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0)));
    EXPECT_EQ(ReadChild(object, CHILDID_SELF).role, ROLE_SYSTEM_TOOLBAR);
    int buttons = 0;
    for (long child = 1; child <= count; ++child) {
        const Read read = ReadChild(object, child);
        TBBUTTON b{};
        SendMessageW(toolbar, TB_GETBUTTON, WPARAM(child - 1), LPARAM(&b));
        if (b.fsStyle & BTNS_SEP) {
            EXPECT_EQ(read.role, ROLE_SYSTEM_SEPARATOR) << child;
            continue;
        }
        ++buttons;
        EXPECT_EQ(read.role, ROLE_SYSTEM_PUSHBUTTON) << child;
        EXPECT_FALSE(read.name.empty()) << child;
        EXPECT_FALSE(read.state & STATE_SYSTEM_UNAVAILABLE) << child;
    }
    EXPECT_GE(buttons, 6);
    EXPECT_EQ(ReadChild(object, 1).name, L"New");
    // A button the program disables is read as unavailable.
    SendMessageW(toolbar, TB_ENABLEBUTTON, ID_FILE_NEW, FALSE);
    EXPECT_TRUE(ReadChild(object, 1).state & STATE_SYSTEM_UNAVAILABLE);
    object->Release();
}

TEST_F(Accessibility, IconOnlyButtonsAreNamedByTheirTooltip) {
    MakeFrame();
    struct Expected {
        int page;
        int id;
        const wchar_t* name;
    } expected[] = {
        {kGeneralPage, IDC_BROWSE_FOLDER, L"Select output folder"},
        {kPicturesPage, IDC_PICTURE_ADD, L"Add pictures"},
        {kPicturesPage, IDC_PICTURE_REMOVE_ALL, L"Remove all pictures"},
        {kMusicPage, IDC_MUSIC_UP, L"Move selected music to previous position"},
        {kMusicPage, IDC_PLAYER_PLAY, L"Play"},
    };
    for (const Expected& e : expected) {
        SendMessageW(frame_->navigation().Button(e.page), BM_CLICK, 0, 0);
        auto* page = dynamic_cast<FramePage*>(frame_->pages().page(e.page));
        ASSERT_NE(page, nullptr);
        HWND button = GetDlgItem(page->hwnd(), e.id);
        wchar_t text[128] = {};
        GetWindowTextW(button, text, 128);
        EXPECT_STREQ(text, e.name) << "the system's object names a button by its text";
    }
}

}  // namespace
}  // namespace gd::test
