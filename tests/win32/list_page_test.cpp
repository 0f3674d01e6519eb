// The list-page plumbing on a window of the test's own: columns that keep the last one
// in view at 96, 144 and 192 DPI, the icon buttons' names, the page's own keys, and file
// sizes.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "win32/list_page.h"

namespace gd {
namespace {

constexpr ListColumn kColumns[] = {{L"Name", 150}, {L"Path", 316}, {L"Size", 60, LVCFMT_RIGHT}};

class ListPage : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX init{sizeof init, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&init);
        host_ = CreateWindowExW(0, L"STATIC", L"Host", WS_POPUP | WS_VISIBLE, 0, 0, 1200, 600, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    }
    void TearDown() override { DestroyWindow(host_); }
    HWND MakeList(int width) {
        return CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT, 0, 0, width, 200,
                               host_, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    static int ColumnWidth(HWND list, int column) {
        return int(SendMessageW(list, LVM_GETCOLUMNWIDTH, WPARAM(column), 0));
    }
    HWND host_ = nullptr;
};

TEST_F(ListPage, TheLastColumnStaysInViewAtEveryDpi) {
    for (UINT dpi : {96u, 144u, 192u}) {
        // A list narrower than the columns want (as a large font makes the dialog).
        HWND list = MakeList(MulDiv(440, int(dpi), 96));
        AddListColumns(list, kColumns, 1, dpi);
        RECT client{};
        GetClientRect(list, &client);
        const int right = ColumnWidth(list, 0) + ColumnWidth(list, 1) + ColumnWidth(list, 2);
        EXPECT_LE(right, client.right) << dpi;
        EXPECT_EQ(ColumnWidth(list, 0), MulDiv(150, int(dpi), 96)) << dpi;
        EXPECT_EQ(ColumnWidth(list, 2), MulDiv(60, int(dpi), 96)) << dpi;
        DestroyWindow(list);

        // Room enough: every column as wide as it wants to be.
        list = MakeList(MulDiv(700, int(dpi), 96));
        AddListColumns(list, kColumns, 1, dpi);
        EXPECT_EQ(ColumnWidth(list, 1), MulDiv(316, int(dpi), 96)) << dpi;
        DestroyWindow(list);
    }
    // Never narrower than its least: a tiny list scrolls instead.
    HWND tiny = MakeList(100);
    AddListColumns(tiny, kColumns, 1, 96);
    EXPECT_EQ(ColumnWidth(tiny, 1), 80);
    DestroyWindow(tiny);
}

TEST_F(ListPage, IconButtonsAreNamedByTheirTooltip) {
    HWND tips = CreateTooltips(GetModuleHandleW(nullptr), host_);
    ASSERT_NE(tips, nullptr);
    HWND icon = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | BS_ICON, 0, 0, 20, 20, host_, nullptr, nullptr, nullptr);
    HWND text = CreateWindowExW(0, L"BUTTON", L"&Font...", WS_CHILD, 0, 0, 20, 20, host_, nullptr, nullptr, nullptr);
    AddTooltip(tips, host_, icon, L"Add pictures");
    AddTooltip(tips, host_, text, L"Caption font Setting");
    wchar_t name[64] = {};
    GetWindowTextW(icon, name, 64);
    EXPECT_STREQ(name, L"Add pictures");
    GetWindowTextW(text, name, 64);
    EXPECT_STREQ(name, L"&Font...") << "a button with text keeps it";
    EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 2);
}

TEST_F(ListPage, ThePageSeesTheListsKeysFirst) {
    HWND list = MakeList(300);
    AddListColumns(list, kColumns, 1, 96);
    for (const wchar_t* name : {L"a", L"b", L"c"}) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = 99;
        item.pszText = const_cast<wchar_t*>(name);
        SendMessageW(list, LVM_INSERTITEMW, 0, LPARAM(&item));
    }
    HighlightListRow(list, 0);
    std::vector<UINT> keys;
    HandleListKeys(list, [&keys](UINT key) {
        keys.push_back(key);
        return key == VK_DOWN;
    });
    SendMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED), 0) << "the page used Down";
    SendMessageW(list, WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED), 2) << "the list handled End";
    SendMessageW(list, WM_CHAR, L'a', 0);
    EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED), 2) << "no jump by letter";
    EXPECT_EQ(keys, (std::vector<UINT>{VK_DOWN, VK_END}));
    HighlightListRow(list, -1);
    EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED), -1);
    DestroyWindow(list);  // the handler goes with the list
}

TEST_F(ListPage, FileSizesOfFilesThatOpen) {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    std::wstring path = std::wstring(folder) + L"gd list page size.bin";
    FILE* file = _wfopen(path.c_str(), L"wb");
    ASSERT_NE(file, nullptr);
    std::fwrite("12345", 1, 5, file);
    std::fclose(file);
    std::string utf8(path.begin(), path.end());
    EXPECT_EQ(OpenedFileSize(utf8), 5);
    DeleteFileW(path.c_str());
    EXPECT_FALSE(OpenedFileSize(utf8).has_value());
}

}  // namespace
}  // namespace gd
