// The list-page helper on a page of the test's own (a list, the five command buttons and
// a totals line) with an owner that records what it is told: rows and their cells follow
// the owner's items through adding, moving and removing, files' sizes move with their
// rows, the context menu offers what the selection allows, a save's dropped files leave,
// and the page's own highlighting is told apart from the user's.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "maker/ui/dropped_files.h"
#include "maker/win32/file_list_page.h"
#include "maker/win32/maker_resource_ids.h"
#include "tests/common/temp_folder.h"
#include "tests/win32/fake_prompter.h"
#include "win32/dialog_items.h"

namespace gd {
namespace {

constexpr int kIds[kListCommandCount] = {IDC_MUSIC_ADD, IDC_MUSIC_REMOVE, IDC_MUSIC_UP, IDC_MUSIC_DOWN,
                                         IDC_MUSIC_REMOVE_ALL};
constexpr int kTotals = IDC_MUSIC_TOTALS;

// Sizes in whole bytes; files whose name ends in ".bad" are refused by their content.
const FileListSetup kSetup{
    .list = IDC_MUSIC_LIST,
    .command_ids = {kIds[0], kIds[1], kIds[2], kIds[3], kIds[4]},
    .tooltips = {L"Add", L"Remove", L"Up", L"Down", L"Remove all"},
    .totals = kTotals,
    .types_strip = IDB_MUSIC_TYPES,
    .types_strip_2x = IDB_MUSIC_TYPES_2X,
    .menu = L"MusicList",
    .remove_all_question = L"Remove all?",
    .type_image = [](const std::string&) { return 1; },
    .size_units = [](long long bytes) { return bytes; },
    .size_text = [](long long bytes) { return std::to_string(bytes) + " B"; },
    .totals_text = [](size_t count, long long bytes) { return std::to_string(count) + " in " + std::to_string(bytes); },
    .take_refused =
        [](std::vector<std::string>& paths) {
            std::vector<RefusedFile> refused;
            std::erase_if(paths, [&](const std::string& p) {
                if (!p.ends_with(".bad")) return false;
                refused.push_back({p, "not ours"});
                return true;
            });
            return refused;
        },
    .types_accepted = [] { return std::string("Only ours."); },
};

class Owner final : public FileListOwner {
public:
    const std::string& ItemPath(int row) const override { return items.at(size_t(row)); }
    void AddItem(const std::string& path) override { items.push_back(path); }
    void SwapItems(int a, int b) override { std::swap(items.at(size_t(a)), items.at(size_t(b))); }
    void EraseItem(int row) override { items.erase(items.begin() + row); }
    void EraseAllItems() override { items.clear(); }
    bool OnListKey(UINT key) override {
        keys.push_back(key);
        return key == VK_DELETE;
    }
    void ReportMissing(const std::vector<std::string>& paths) override { missing = paths; }
    void AfterAdd() override { events += "add "; }
    void AfterRemove() override { events += "remove(" + std::to_string(rows->selected()) + ") "; }
    void AfterRemoveAll() override { events += "all "; }
    void MarkModified() override { ++modified; }

    std::vector<std::string> items;
    std::vector<UINT> keys;
    std::vector<std::string> missing;
    std::string events;
    int modified = 0;
    FileListPage* rows = nullptr;
};

// What the list told the page about rows the list itself selected.
std::vector<int>* g_selected_by_list = nullptr;
FileListPage* g_page = nullptr;

LRESULT CALLBACK PageProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NOTIFY && g_page && g_selected_by_list) {
        const auto& header = *reinterpret_cast<NMHDR*>(lparam);
        if (header.code == LVN_ITEMCHANGED) g_selected_by_list->push_back(g_page->RowSelectedByList(header));
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

class FileListPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX init{sizeof init, ICC_WIN95_CLASSES | ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&init);
        HINSTANCE instance = GetModuleHandleW(nullptr);
        WNDCLASSW type{};
        type.lpfnWndProc = &PageProc;
        type.hInstance = instance;
        type.lpszClassName = L"GdFileListPageTest";
        RegisterClassW(&type);
        page_ = CreateWindowExW(0, type.lpszClassName, L"Page", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 500,
                                nullptr, nullptr, instance, nullptr);
        CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                        0, 0, 700, 300, page_, HMENU(INT_PTR(kSetup.list)), instance, nullptr);
        for (int i = 0; i < kListCommandCount; ++i)
            CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_ICON, 40 * i, 310, 30, 24, page_,
                            HMENU(INT_PTR(kIds[i])), instance, nullptr);
        CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 300, 310, 300, 20, page_, HMENU(INT_PTR(kTotals)),
                        instance, nullptr);
        owner_.rows = &rows_;
        rows_.SetUp(instance, page_, prompter_);
        g_page = &rows_;
        g_selected_by_list = &selected_by_list_;
    }
    void TearDown() override {
        g_page = nullptr;
        g_selected_by_list = nullptr;
        DestroyWindow(page_);
    }
    std::string File(const std::string& name, size_t bytes) { return folder_.Write(name, std::string(bytes, 'x')); }
    std::wstring Cell(int row, int column) {
        std::wstring text(512, L'\0');
        LVITEMW cell{.iSubItem = column, .pszText = text.data(), .cchTextMax = int(text.size())};
        SendMessageW(rows_.list(), LVM_GETITEMTEXTW, WPARAM(row), LPARAM(&cell));
        return text.c_str();
    }
    int Highlighted() { return int(SendMessageW(rows_.list(), LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED)); }
    std::wstring Totals() { return ItemText(page_, kTotals); }
    // Whether each command is enabled in the context menu (or, with `images`, carries
    // its image), in the strip's order.
    std::vector<bool> MenuStates(bool images = false) {
        std::vector<bool> states;
        HMENU menu = rows_.MakeContextMenu();
        for (int id : kIds) {
            MENUITEMINFOW info{.cbSize = sizeof(MENUITEMINFOW), .fMask = MIIM_BITMAP | MIIM_STATE};
            GetMenuItemInfoW(menu, UINT(id), FALSE, &info);
            states.push_back(images ? info.hbmpItem != nullptr : !(info.fState & MFS_GRAYED));
        }
        DestroyMenu(menu);
        return states;
    }

    testing::TempFolder folder_;
    FakePrompter prompter_;
    Owner owner_;
    FileListPage rows_{kSetup, owner_};
    HWND page_ = nullptr;
    std::vector<int> selected_by_list_;
};

TEST_F(FileListPageTest, AddingListsFilesThatOpenOnceAndNamesTheOthers) {
    const std::string a = File("a.txt", 3), b = File("b.txt", 40);
    const std::string gone = folder_.File("gone.txt");
    rows_.AddFiles({a, b, gone});
    EXPECT_EQ(owner_.items, (std::vector<std::string>{a, b}));
    EXPECT_EQ(owner_.missing, std::vector<std::string>{gone});
    EXPECT_EQ(ListView_GetItemCount(rows_.list()), 2);
    EXPECT_EQ(Cell(1, 0), L"b.txt");
    EXPECT_EQ(Cell(1, 2), L"40 B");
    EXPECT_EQ(Totals(), L"2 in 43");
    EXPECT_EQ(owner_.events, "add ");
    EXPECT_EQ(owner_.modified, 1);
    EXPECT_TRUE(prompter_.shown.empty());

    // Listed files (in any case) are skipped silently; a refused one is named with its
    // reason, and with nothing left nothing changes.
    std::string upper = a;
    for (char& c : upper) c = char(std::toupper((unsigned char)c));
    const std::string bad = File("c.bad", 1);
    rows_.AddFiles({upper, bad});
    ASSERT_EQ(prompter_.shown.size(), 1u);
    EXPECT_NE(prompter_.shown[0].text.find(L"c.bad"), std::wstring::npos);
    EXPECT_NE(prompter_.shown[0].text.find(L"not ours"), std::wstring::npos);
    EXPECT_EQ(owner_.items.size(), 2u);
    EXPECT_EQ(owner_.modified, 1);

    // A drop: the folder's files of the types given, the rest named once.
    const std::string other = File("d.doc", 5);
    rows_.AddDropped({File("e.txt", 7), other}, FileTypeSet{"TXT"});
    EXPECT_EQ(owner_.items.size(), 3u);
    EXPECT_EQ(Totals(), L"3 in 50");
    EXPECT_NE(prompter_.shown.back().text.find(L"d.doc"), std::wstring::npos);
    EXPECT_NE(prompter_.shown.back().text.find(L"Only ours."), std::wstring::npos);
}

TEST_F(FileListPageTest, MovingAndRemovingKeepEachRowsCellsAndSizeWithItsFile) {
    const std::string a = File("a.txt", 1), b = File("b.txt", 22), c = File("c.txt", 333);
    rows_.AddFiles({a, b, c});
    owner_.modified = 0;

    rows_.MoveUp();  // nothing selected: nothing moves
    EXPECT_EQ(owner_.modified, 0);
    rows_.Select(0);
    rows_.MoveUp();  // the first cannot go up
    EXPECT_EQ(owner_.modified, 0);
    EXPECT_TRUE(rows_.RunCommand(IDC_MUSIC_DOWN));
    EXPECT_EQ(owner_.items, (std::vector<std::string>{b, a, c}));
    EXPECT_EQ(rows_.selected(), 1);
    EXPECT_EQ(Highlighted(), 1);
    EXPECT_EQ(Cell(0, 0), L"b.txt");
    EXPECT_EQ(Cell(0, 2), L"22 B") << "the size moves with its file";
    EXPECT_EQ(Cell(1, 2), L"1 B");
    EXPECT_EQ(owner_.modified, 1);
    rows_.MoveDown();
    rows_.MoveDown();  // the last cannot go down
    EXPECT_EQ(owner_.items, (std::vector<std::string>{b, c, a}));
    EXPECT_EQ(rows_.selected(), 2);

    // Removing the last selects the new last; the totals lose its size.
    rows_.RemoveSelected();
    EXPECT_EQ(owner_.items, (std::vector<std::string>{b, c}));
    EXPECT_EQ(owner_.events, "add remove(1) ");
    EXPECT_EQ(Totals(), L"2 in 355");
    EXPECT_EQ(Cell(1, 2), L"333 B");
    EXPECT_FALSE(rows_.RunCommand(IDC_MUSIC_ADD)) << "adding is the page's own";

    // Remove all asks first, with the warning icon.
    prompter_.answers = {IDCANCEL, IDOK};
    rows_.RemoveAll();
    EXPECT_EQ(owner_.items.size(), 2u);
    EXPECT_EQ(prompter_.shown.back().type, UINT(MB_OKCANCEL | MB_ICONWARNING));
    rows_.RemoveAll();
    EXPECT_TRUE(owner_.items.empty());
    EXPECT_EQ(ListView_GetItemCount(rows_.list()), 0);
    EXPECT_EQ(rows_.selected(), -1);
    EXPECT_EQ(Totals(), L"0 in 0");
    const size_t asked = prompter_.shown.size();
    rows_.RemoveAll();  // an empty list: no question
    EXPECT_EQ(prompter_.shown.size(), asked);
}

TEST_F(FileListPageTest, TheMenuOffersWhatTheSelectionAllowsWithImagesAndOpensUnderTheRow) {
    EXPECT_EQ(MenuStates(), (std::vector<bool>{true, false, false, false, false}));
    rows_.AddFiles({File("a.txt", 1), File("b.txt", 1), File("c.txt", 1)});
    EXPECT_EQ(MenuStates(), (std::vector<bool>{true, false, false, false, true}));
    rows_.Select(0);
    EXPECT_EQ(MenuStates(), (std::vector<bool>{true, true, false, true, true}));
    rows_.Select(2);
    EXPECT_EQ(MenuStates(), (std::vector<bool>{true, true, true, false, true}));

    EXPECT_EQ(MenuStates(/*images=*/true), std::vector<bool>(kListCommandCount, true));

    // From the keyboard the menu opens under the selected row; a mouse's point is kept.
    RECT row{};
    ListView_GetItemRect(rows_.list(), 2, &row, LVIR_LABEL);
    POINT below{row.left, row.bottom};
    ClientToScreen(rows_.list(), &below);
    POINT shown_at{};
    const UINT chosen = rows_.ChooseFromMenu(POINT{-1, -1}, [&](HMENU, POINT at) {
        shown_at = at;
        return UINT(IDC_MUSIC_UP);
    });
    EXPECT_EQ(chosen, UINT(IDC_MUSIC_UP));
    EXPECT_EQ(shown_at.y, below.y);
    EXPECT_GE(shown_at.x, below.x);
    rows_.ChooseFromMenu(POINT{123, 45}, [&](HMENU, POINT at) {
        shown_at = at;
        return 0u;
    });
    EXPECT_EQ(shown_at.x, 123);
    EXPECT_EQ(shown_at.y, 45);
}

TEST_F(FileListPageTest, ASaveDropsTheRowsOfGoneFilesAndTheSelectionFollowsItsFile) {
    const std::string a = File("a.txt", 1), b = File("b.txt", 2), c = File("c.txt", 4);
    rows_.AddFiles({a, b, c});
    rows_.Select(2);
    EXPECT_FALSE(rows_.KeepSaved({a, b, c})) << "nothing dropped";
    EXPECT_TRUE(rows_.KeepSaved({a, c}));
    EXPECT_EQ(owner_.items, (std::vector<std::string>{a, c}));
    EXPECT_EQ(rows_.selected(), 1) << "c.txt, selected before, is now the second";
    EXPECT_EQ(Cell(1, 0), L"c.txt");
    EXPECT_EQ(Cell(1, 2), L"4 B");
    EXPECT_EQ(Totals(), L"2 in 5");
}

TEST_F(FileListPageTest, TheOwnerSeesKeysAndThePagesHighlightIsNotTheUsersChoice) {
    rows_.AddFiles({File("a.txt", 1), File("b.txt", 1), File("c.txt", 1)});
    SendMessageW(rows_.list(), WM_KEYDOWN, VK_DELETE, 0);
    SendMessageW(rows_.list(), WM_KEYDOWN, VK_HOME, 0);
    EXPECT_EQ(owner_.keys, (std::vector<UINT>{VK_DELETE, VK_HOME}));

    selected_by_list_.clear();
    rows_.Select(0);
    rows_.Highlight(2);
    EXPECT_FALSE(selected_by_list_.empty());
    for (int row : selected_by_list_) EXPECT_EQ(row, -1) << "the page's own highlight";
    rows_.Highlight(0);
    // The list selecting another row itself (as a click does) is the user's choice.
    selected_by_list_.clear();
    ListView_SetItemState(rows_.list(), 2, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_NE(std::find(selected_by_list_.begin(), selected_by_list_.end(), 2), selected_by_list_.end());
}

TEST_F(FileListPageTest, CommandButtonsShowTheirImageAndAreNamedByTheirTooltip) {
    for (int i = 0; i < kListCommandCount; ++i) {
        HWND button = GetDlgItem(page_, kIds[i]);
        EXPECT_NE(SendMessageW(button, BM_GETIMAGE, IMAGE_ICON, 0), 0) << i;
        EXPECT_EQ(ItemText(page_, kIds[i]), std::wstring(kSetup.tooltips[i]));
    }
    EXPECT_EQ(SendMessageW(rows_.tips().window(), TTM_GETTOOLCOUNT, 0, 0), kListCommandCount);
    // Images again at another DPI replace the icons and keep the buttons' names.
    rows_.SetImages();
    EXPECT_NE(SendMessageW(GetDlgItem(page_, kIds[0]), BM_GETIMAGE, IMAGE_ICON, 0), 0);
}

}  // namespace
}  // namespace gd
