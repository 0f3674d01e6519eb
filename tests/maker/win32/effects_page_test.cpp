// The Effects page and its demonstration in the main window, in the test's own process
// under Wine: the ticks and the project, Select all and Clear all, a row's demonstration
// and the rules for starting, keeping and stopping it.

#include <windows.h>
#include <commctrl.h>

#include <filesystem>

#include "effects/effect_table.h"
#include "maker/project/project_options.h"
#include "maker/win32/effect_view.h"
#include "maker/win32/general_view.h"
#include "maker/win32/maker_pages.h"
#include "maker/win32/maker_resource_ids.h"
#include "tests/maker/win32/preview_support.h"
#include "tests/maker/win32/window_fixture.h"
#include "win32/dialog_items.h"
#include "win32/effect_list.h"

namespace gd::test {
namespace {

class EffectsPage : public MakerWindowTest {
protected:
    void SetUp() override {
        MakerWindowTest::SetUp();
        services_.make_page = MakeMakerPage;
        for (const char* name : {"pic1.jpg", "pic2.jpg"}) CopySample(name);
    }
    void CopySample(const std::string& name) {
        std::filesystem::copy_file(Utf8Path(SourceFile("maker/program_folder/data/" + name)),
                                   folder_.path() / "data" / name,
                                   std::filesystem::copy_options::overwrite_existing);
    }
    CEffectView& ShowEffects() {
        if (!frame_) MakeFrame();
        SendMessageW(frame_->navigation().Button(kEffectsPage), BM_CLICK, 0, 0);
        auto* page = dynamic_cast<CEffectView*>(frame_->pages().page(kEffectsPage));
        EXPECT_NE(page, nullptr);
        // Counts the demonstration's transitions (set while no demonstration runs).
        if (page && page->demo().show() && !page->demo().playing())
            page->demo().show()->stage().on_transition_end = [this] { ++transitions_; };
        return *page;
    }
    // Waits until the demonstration has brought in one more picture and rests in its
    // pause; then what the pane shows stays for about a second.
    bool WaitForRest() {
        const int before = transitions_;
        return PumpMessagesUntil([this, before] { return transitions_ > before; }, 10000);
    }
    Bitmap Pane(EffectDemoPane& demo) { return Snapshot(demo.show()->stage().window()); }
    void ClickBesideTheRows(CEffectView& page) {
        SelectEffectRow(page.list(), -1);  // what the list does on such a click
        NMITEMACTIVATE click{};
        click.hdr.hwndFrom = page.list();
        click.hdr.idFrom = IDC_EFFECT_LIST;
        click.hdr.code = UINT(NM_CLICK);
        click.iItem = -1;
        SendMessageW(page.hwnd(), WM_NOTIFY, IDC_EFFECT_LIST, LPARAM(&click));
    }

    void ClickRow(CEffectView& page, int row) {
        NMITEMACTIVATE click{};
        click.hdr.hwndFrom = page.list();
        click.hdr.idFrom = IDC_EFFECT_LIST;
        click.hdr.code = UINT(NM_CLICK);
        click.iItem = row;
        SendMessageW(page.hwnd(), WM_NOTIFY, IDC_EFFECT_LIST, LPARAM(&click));
    }

    std::atomic<int> transitions_{0};
};

TEST_F(EffectsPage, ListsTheEffectsWithTheProjectsTicks) {
    MakeFrame();
    CParamData& project = frame_->doc().project();
    project.bEffectOn.fill(1);
    project.bEffectOn[2] = 0;
    project.bEffectOn[44] = 2;  // only exactly 1 is a tick
    CEffectView& page = ShowEffects();
    HWND list = page.list();
    ASSERT_EQ(EffectRowCount(list), 45);
    for (int row = 0; row < 45; ++row) {
        wchar_t text[80] = {};
        LVITEMW item{};
        item.pszText = text;
        item.cchTextMax = 80;
        SendMessageW(list, LVM_GETITEMTEXTW, WPARAM(row), LPARAM(&item));
        std::string_view name = EffectName(row + 1);
        EXPECT_EQ(std::wstring(text), std::wstring(name.begin(), name.end())) << row;
    }
    EXPECT_FALSE(IsEffectRowChecked(list, 1));
    EXPECT_TRUE(IsEffectRowChecked(list, 2));
    EXPECT_FALSE(IsEffectRowChecked(list, 43));
    EXPECT_TRUE(IsEffectRowChecked(list, 44)) << "a new project knows cross-fade";
    EXPECT_EQ(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & (LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT),
              LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    EXPECT_FALSE(frame_->doc().IsModified());
}

// A project saved before cross-fade holds a 1 in its flag that nobody chose: the row is
// clear, storing the page keeps the project as it was, and ticking it turns it on.
TEST_F(EffectsPage, AProjectOfBeforeShowsCrossFadeClearUntilTicked) {
    MakeFrame();
    CParamData& project = frame_->doc().project();
    SetAbsentOptions(project);
    project.bEffectOn.fill(1);
    const CParamData before = project;
    CEffectView& page = ShowEffects();
    EXPECT_FALSE(IsEffectRowChecked(page.list(), 44));
    page.StoreToProject();
    EXPECT_EQ(frame_->doc().project(), before);
    EXPECT_FALSE(frame_->doc().IsModified());
    SetEffectRowChecked(page.list(), 44, true);
    page.StoreToProject();
    EXPECT_TRUE(frame_->doc().IsModified());
    EXPECT_EQ(frame_->doc().project().nEffectCount, 45);
    EXPECT_TRUE(ProjectEffectOn(frame_->doc().project(), 45));
}

TEST_F(EffectsPage, StoresTicksAndMarksModifiedOnlyWhenOneDiffers) {
    MakeFrame();
    frame_->doc().project().bEffectOn.fill(1);
    CEffectView& page = ShowEffects();
    // Ticked off and on again before leaving: the project has not changed.
    SetEffectRowChecked(page.list(), 5, false);
    SetEffectRowChecked(page.list(), 5, true);
    page.StoreToProject();
    EXPECT_FALSE(frame_->doc().IsModified());

    SetEffectRowChecked(page.list(), 5, false);
    SendMessageW(frame_->navigation().Button(kGeneralPage), BM_CLICK, 0, 0);  // the switch stores
    EXPECT_EQ(frame_->doc().project().bEffectOn[6], 0);
    EXPECT_EQ(frame_->doc().project().bEffectOn[0], 1) << "bytes beside 1..44 stay";
    EXPECT_TRUE(frame_->doc().IsModified());
}

TEST_F(EffectsPage, SelectAllAndClearAllTickEveryRowAndMarkModified) {
    MakeFrame();
    frame_->doc().project().bEffectOn.fill(1);
    CEffectView& page = ShowEffects();
    SendDlgItemMessageW(page.hwnd(), IDC_SELECT_ALL, BM_CLICK, 0, 0);
    EXPECT_TRUE(frame_->doc().IsModified()) << "even when every row was ticked already";
    frame_->doc().SetModifiedFlag(false);
    SendDlgItemMessageW(page.hwnd(), IDC_CLEAR_ALL, BM_CLICK, 0, 0);
    EXPECT_TRUE(frame_->doc().IsModified());
    for (int row = 0; row < 44; ++row) EXPECT_FALSE(IsEffectRowChecked(page.list(), row)) << row;
    page.StoreToProject();
    for (int id = 1; id <= 44; ++id) EXPECT_EQ(frame_->doc().project().bEffectOn[size_t(id)], 0) << id;
    SendDlgItemMessageW(page.hwnd(), IDC_SELECT_ALL, BM_CLICK, 0, 0);
    for (int row = 0; row < 44; ++row) EXPECT_TRUE(IsEffectRowChecked(page.list(), row)) << row;
}

TEST_F(EffectsPage, ARowPlaysItsEffectOnTheSamplePicturesUnderItsName) {
    CEffectView& page = ShowEffects();
    EffectDemoPane& demo = page.demo();
    ASSERT_TRUE(demo.ready());
    // The pane lies over the page's picture frame.
    RECT frame{}, pane{};
    GetWindowRect(GetDlgItem(page.hwnd(), IDC_DEMO_FRAME), &frame);
    GetWindowRect(demo.hwnd(), &pane);
    EXPECT_TRUE(pane.left >= frame.left && pane.right <= frame.right && pane.top >= frame.top &&
                pane.bottom <= frame.bottom);
    EXPECT_GT(pane.right - pane.left, 100);

    page.SelectRow(20);
    EXPECT_EQ(page.selected_row(), 20);
    EXPECT_EQ(ItemText(page.hwnd(), IDC_EFFECT_NAME), L"Clock");
    EXPECT_TRUE(demo.playing());
    EXPECT_EQ(demo.effect(), 21);
    ASSERT_TRUE(WaitForRest());
    EXPECT_LT(BlackShare(Pane(demo)), 0.01) << "a sample picture fills the pane";
    EXPECT_EQ(demo.show()->settings().current_picture, 0);
}

TEST_F(EffectsPage, TheEffectPlayingGoesOnAnotherStopsItAndStartsOnBlack) {
    CEffectView& page = ShowEffects();
    EffectDemoPane& demo = page.demo();
    page.SelectRow(20);
    ASSERT_TRUE(WaitForRest());
    // The same row again (a click on it, or beside the rows): nothing restarts, the
    // picture stays.
    Bitmap resting = Pane(demo);
    demo.Demonstrate(21);
    EXPECT_TRUE(Pane(demo) == resting);
    ClickBesideTheRows(page);
    EXPECT_EQ(SelectedEffectRow(page.list()), 20);
    EXPECT_TRUE(Pane(demo) == resting);
    EXPECT_TRUE(demo.playing());

    // Another row: stopped, blackened, and the new one sweeps in over black.
    page.SelectRow(17);
    EXPECT_EQ(demo.effect(), 18);
    EXPECT_EQ(ItemText(page.hwnd(), IDC_EFFECT_NAME), L"Round Out");
    EXPECT_GT(BlackShare(Pane(demo)), 0.5);
    EXPECT_TRUE(demo.playing());
}

TEST_F(EffectsPage, ABesideClickNeverStartsAStoppedDemonstration) {
    CEffectView& page = ShowEffects();
    page.SelectRow(3);
    page.StopPlaying();
    EXPECT_FALSE(page.demo().playing());
    EXPECT_EQ(BlackShare(Pane(page.demo())), 1.0) << "stopping paints the pane black";
    ClickBesideTheRows(page);
    EXPECT_EQ(SelectedEffectRow(page.list()), 3);
    EXPECT_FALSE(page.demo().playing());
}

TEST_F(EffectsPage, AClickOnTheSelectedRowStartsItsStoppedDemonstration) {
    CEffectView& page = ShowEffects();
    page.SelectRow(5);
    page.StopPlaying();
    ASSERT_FALSE(page.demo().playing());
    ClickRow(page, 5);
    EXPECT_TRUE(page.demo().playing());
    EXPECT_EQ(page.demo().effect(), 6);
    // A click on another row still switches to that one.
    ClickRow(page, 7);
    EXPECT_EQ(page.demo().effect(), 8);
}

TEST_F(EffectsPage, TheDemonstrationResumesAfterPreviewMakeAndSave) {
    services_.start_preview = [](HWND, CScreenSaverDoc&) {};
    MakeFrame();
    frame_->doc().project().pictureList.push_back(CPictureData{});
    frame_->doc().project().pictureList.back().szFile = Path("gone.jpg");
    CEffectView& page = ShowEffects();
    page.SelectRow(2);
    ASSERT_TRUE(page.demo().playing());
    Command(ID_MAKE_PREVIEW);
    EXPECT_FALSE(page.demo().playing()) << "the preview covers the screen";
    SendMessageW(frame_->hwnd(), kPreviewEndedMessage, 0, 0);
    EXPECT_TRUE(page.demo().playing());
    EXPECT_EQ(page.demo().effect(), 3);

    // Make SCR (here without an encoder: it says so) gives the demonstration back too.
    frame_->doc().project().szName = "Show";
    frame_->doc().project().szOutputFolder = folder_.path().string();
    frame_->general_view()->LoadFromProject();
    Command(ID_MAKE_SCR);
    EXPECT_TRUE(page.demo().playing());

    // A demonstration stopped by the user's leaving the page is not started by an ended
    // preview behind another page, but when the page is shown again.
    page.SelectRow(9);
    SendMessageW(frame_->navigation().Button(kGeneralPage), BM_CLICK, 0, 0);
    Command(ID_MAKE_PREVIEW);
    SendMessageW(frame_->hwnd(), kPreviewEndedMessage, 0, 0);
    EXPECT_FALSE(page.demo().playing());
    SendMessageW(frame_->navigation().Button(kEffectsPage), BM_CLICK, 0, 0);
    EXPECT_TRUE(page.demo().playing());
    EXPECT_EQ(page.demo().effect(), 10);

    // Saving leaves it alone.
    files_.save.push_back(Path("show.psm"));
    Command(ID_FILE_SAVE);
    ASSERT_TRUE(std::filesystem::exists(folder_.path() / "show.psm"));
    EXPECT_TRUE(page.demo().playing());
    EXPECT_EQ(SelectedEffectRow(page.list()), 9);
}

TEST_F(EffectsPage, PreviewMakeAndANewProjectStopTheDemonstration) {
    int previews = 0;
    services_.start_preview = [&](HWND, CScreenSaverDoc&) { ++previews; };
    MakeFrame();
    frame_->doc().project().pictureList.push_back(CPictureData{});
    CEffectView& page = ShowEffects();
    page.SelectRow(0);
    ASSERT_TRUE(page.demo().playing());
    Command(ID_MAKE_PREVIEW);
    EXPECT_EQ(previews, 1);
    EXPECT_FALSE(page.demo().playing());

    page.SelectRow(1);
    ASSERT_TRUE(page.demo().playing());
    Command(ID_FILE_NEW);  // unmodified: no question
    EXPECT_FALSE(page.demo().playing());
    EXPECT_EQ(page.selected_row(), -1);
    EXPECT_EQ(SelectedEffectRow(page.list()), -1);
    EXPECT_EQ(ItemText(page.hwnd(), IDC_EFFECT_NAME), L"");
}

TEST_F(EffectsPage, LeavingThePageRestsTheDemonstrationComingBackResumesIt) {
    CEffectView& page = ShowEffects();
    page.SelectRow(43);
    ASSERT_TRUE(page.demo().playing());
    SendMessageW(frame_->navigation().Button(kGeneralPage), BM_CLICK, 0, 0);
    EXPECT_FALSE(page.demo().playing()) << "nobody watches a hidden page";
    SendMessageW(frame_->navigation().Button(kEffectsPage), BM_CLICK, 0, 0);
    EXPECT_TRUE(page.demo().playing());
    EXPECT_EQ(page.demo().effect(), 44);
}

TEST_F(EffectsPage, AMissingSamplePictureLeavesOnlyItsTurnsEmpty) {
    std::filesystem::remove(folder_.path() / "data" / "pic1.jpg");
    CEffectView& page = ShowEffects();
    EffectDemoPane& demo = page.demo();
    page.SelectRow(0);
    // The first turn (pic1) draws nothing; the second brings in pic2.
    ASSERT_TRUE(PumpMessagesUntil([this] { return transitions_ >= 2; }, 15000));
    EXPECT_TRUE(demo.playing());
    EXPECT_LT(BlackShare(Pane(demo)), 0.01);
}

}  // namespace
}  // namespace gd::test
