// What a screen reader learns of the main window through the accessibility interface
// (IAccessible): the navigation buttons and the toolbar's buttons by name, role and
// state, the icon-only buttons by their tooltip's text, and every control of every page
// that takes the focus or draws itself by a name of its own. The objects are the ones a
// screen reader gets: through AccessibleObjectFromWindow.

#include <windows.h>
#include <oleacc.h>

#include "maker/win32/effect_view.h"
#include "maker/win32/maker_pages.h"
#include "maker/win32/maker_resource_ids.h"
#include "tests/maker/win32/window_fixture.h"
#include "win32/accessible_window.h"
#include "win32/dialog_items.h"

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
    // The object a screen reader gets for a window, through the accessibility API.
    static IAccessible* ObjectOf(HWND window) {
        IAccessible* object = nullptr;
        const HRESULT hr =
            AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&object));
        if (FAILED(hr)) return nullptr;
        return object;
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

TEST_F(Accessibility, EveryControlThatTakesTheFocusOrDrawsItselfIsNamedOnEveryPage) {
    MakeFrame();
    CParamData& project = frame_->doc().project();
    project.pictureList.push_back(CPictureData(folder_.Write("a.jpg", std::string(40, 'x')),
                                               frame_->doc().DefaultCaptionStyle()));
    for (int page = 1; page <= kPageCount; ++page) {
        SendMessageW(frame_->navigation().Button(page), BM_CLICK, 0, 0);
        HWND dialog = dynamic_cast<FramePage*>(frame_->pages().page(page))->hwnd();
        int read = 0;
        for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            if (!IsWindowVisible(c)) continue;
            wchar_t kind[64] = {};
            GetClassNameW(c, kind, 64);
            const LONG style = GetWindowLongW(c, GWL_STYLE);
            const std::wstring k = kind;
            const bool draws_itself = (_wcsicmp(kind, L"Static") == 0 && (style & SS_TYPEMASK) == SS_OWNERDRAW) ||
                                      (_wcsicmp(kind, L"Button") == 0 && (style & BS_TYPEMASK) == BS_OWNERDRAW) ||
                                      k.rfind(L"Glimmerdeck", 0) == 0 || c == GetDlgItem(dialog, IDC_BG_SWATCH);
            const bool takes_focus = (style & WS_TABSTOP) || _wcsicmp(kind, L"Edit") == 0 ||
                                     _wcsicmp(kind, L"ComboBox") == 0 || k == L"SysListView32" ||
                                     k == L"msctls_trackbar32" ||
                                     (_wcsicmp(kind, L"Button") == 0 && (style & BS_TYPEMASK) != BS_GROUPBOX);
            if (!draws_itself && !takes_focus) continue;
            IAccessible* object = ObjectOf(c);
            ASSERT_NE(object, nullptr) << "page " << page << " control " << GetDlgCtrlID(c);
            const Read r = ReadChild(object, CHILDID_SELF);
            object->Release();
            ++read;
            EXPECT_FALSE(r.name.empty()) << "page " << page << " control " << GetDlgCtrlID(c) << " of class "
                                         << std::string(k.begin(), k.end());
            EXPECT_NE(r.role, 0) << "page " << page << " control " << GetDlgCtrlID(c);
            EXPECT_FALSE(r.state & STATE_SYSTEM_INVISIBLE) << "page " << page << " control " << GetDlgCtrlID(c);
        }
        EXPECT_GE(read, 3) << "page " << page;
    }
}

TEST_F(Accessibility, FieldsAreNamedByTheirLabelsAndSamplesSayWhatTheyShow) {
    MakeFrame();
    auto name = [&](int page, int id) {
        SendMessageW(frame_->navigation().Button(page), BM_CLICK, 0, 0);
        HWND dialog = dynamic_cast<FramePage*>(frame_->pages().page(page))->hwnd();
        IAccessible* object = ObjectOf(GetDlgItem(dialog, id));
        if (!object) return std::wstring(L"(none)");
        std::wstring read = ReadChild(object, CHILDID_SELF).name;
        object->Release();
        return read;
    };
    EXPECT_EQ(name(kGeneralPage, IDC_SAVER_NAME), L"Screensaver name") << "the label before it";
    EXPECT_EQ(name(kGeneralPage, IDC_DESCRIPTION), L"Description") << "its group box";
    EXPECT_EQ(name(kGeneralPage, IDC_OUTPUT_FOLDER), L"Output folder");
    EXPECT_EQ(name(kPicturesPage, IDC_CAPTION_POSITION), L"Caption position");
    EXPECT_EQ(name(kMusicPage, IDC_PLAYER_POSITION), L"Playing position");
    EXPECT_EQ(name(kSettingsPage, IDC_FIT_BOX), L"Fit when made") << "without its mnemonic mark";
    EXPECT_EQ(name(kSettingsPage, IDC_BANNER_POS), L"Banner position") << "given: the label says only Position";
    EXPECT_EQ(name(kEffectsPage, IDC_EFFECT_LIST), L"Transition Effects");

    // A sample's value is what it shows.
    auto value = [&](HWND window) {
        IAccessible* object = ObjectOf(window);
        if (!object) return std::wstring(L"(none)");
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR text = nullptr;
        object->get_accValue(self, &text);
        std::wstring read = text ? text : L"";
        SysFreeString(text);
        object->Release();
        return read;
    };
    SendMessageW(frame_->navigation().Button(kSettingsPage), BM_CLICK, 0, 0);
    HWND settings = dynamic_cast<FramePage*>(frame_->pages().page(kSettingsPage))->hwnd();
    services_.choose_color = [](HWND, ColorRef) -> std::optional<ColorRef> { return ColorRef(0x00402010); };
    SendMessageW(GetDlgItem(settings, IDC_BG_CHANGE), BM_CLICK, 0, 0);
    EXPECT_EQ(value(GetDlgItem(settings, IDC_BG_SWATCH)), L"red 16, green 32, blue 64");
    SetWindowTextW(GetDlgItem(settings, IDC_BANNER_TEXT), L"Harbour days");
    EXPECT_EQ(value(GetDlgItem(settings, IDC_BANNER_SAMPLE)), L"Harbour days");
    SendMessageW(frame_->navigation().Button(kEffectsPage), BM_CLICK, 0, 0);
    auto& effects = *dynamic_cast<CEffectView*>(frame_->pages().page(kEffectsPage));
    const Read demo = [&] {
        IAccessible* object = ObjectOf(effects.demo().hwnd());
        Read r = object ? ReadChild(object, CHILDID_SELF) : Read{};
        if (object) object->Release();
        return r;
    }();
    EXPECT_EQ(demo.name, L"Effect demonstration");
    EXPECT_EQ(demo.role, ROLE_SYSTEM_ANIMATION);
    NMITEMACTIVATE click{};
    click.hdr.hwndFrom = effects.list();
    click.hdr.idFrom = IDC_EFFECT_LIST;
    click.hdr.code = UINT(NM_CLICK);
    click.iItem = 2;
    SendMessageW(effects.hwnd(), WM_NOTIFY, IDC_EFFECT_LIST, LPARAM(&click));
    const std::wstring shown = ItemText(effects.hwnd(), IDC_EFFECT_NAME);
    EXPECT_FALSE(shown.empty());
    EXPECT_EQ(value(effects.demo().hwnd()), shown) << "the effect it plays";
    effects.demo().Stop();
}

}  // namespace
}  // namespace gd::test
