// Drives another program's windows for the installer's tests under Wine, by messages
// instead of mouse positions (which the window manager of the test display may move):
//
//   installer_driver wait TITLE                 waits (up to 60 s) for a visible top-level
//                                               window whose title starts with TITLE
//   installer_driver gone TITLE                 waits until no such window is left
//   installer_driver text TITLE CLASS FILE      writes the UTF-8 text of the first control
//                                               of that class prefix (RichEdit) to FILE
//   installer_driver click TITLE TEXT           clicks the enabled button whose text,
//                                               without its & marks, is TEXT
//   installer_driver checked TITLE TEXT         exits 0 when that check box is checked
//
// Every command exits 0 on success and 1 (with the reason on stderr) when the window or
// control is not there in time.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr int kWaitMs = 60000;
constexpr int kStepMs = 100;

struct Search {
    std::wstring prefix;
    HWND found = nullptr;
};

std::wstring WindowText(HWND window) {
    int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(length));
    return text;
}

std::wstring ClassName(HWND window) {
    wchar_t name[128] = {};
    GetClassNameW(window, name, 128);
    return name;
}

BOOL CALLBACK FindTop(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    if (!IsWindowVisible(window)) return TRUE;
    if (WindowText(window).rfind(search->prefix, 0) != 0) return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindTopWindow(const std::wstring& prefix) {
    Search search{prefix};
    EnumWindows(FindTop, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(const std::wstring& prefix) {
    for (int waited = 0; waited < kWaitMs; waited += kStepMs) {
        if (HWND window = FindTopWindow(prefix)) return window;
        Sleep(kStepMs);
    }
    return nullptr;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> all;
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM param) {
            reinterpret_cast<std::vector<HWND>*>(param)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    return all;
}

std::wstring WithoutMnemonics(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text)
        if (c != L'&') out += c;
    return out;
}

// The visible control of the window whose text (without & marks) is TEXT; waits for it,
// since installer pages come and go.
HWND WaitForControl(const std::wstring& title, const std::wstring& text, bool enabled) {
    for (int waited = 0; waited < kWaitMs; waited += kStepMs) {
        if (HWND window = FindTopWindow(title)) {
            for (HWND child : Children(window)) {
                if (!IsWindowVisible(child) || (enabled && !IsWindowEnabled(child))) continue;
                if (WithoutMnemonics(WindowText(child)) == text) return child;
            }
        }
        Sleep(kStepMs);
    }
    return nullptr;
}

std::string Utf8(const std::wstring& text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

int Fail(const wchar_t* what, const std::wstring& name) {
    fwprintf(stderr, L"installer_driver: %ls: %ls\n", what, name.c_str());
    return 1;
}

int Text(const std::wstring& title, const std::wstring& class_prefix, const wchar_t* file) {
    HWND window = WaitForWindow(title);
    if (!window) return Fail(L"no window", title);
    for (int waited = 0; waited < kWaitMs; waited += kStepMs) {
        for (HWND child : Children(window)) {
            if (ClassName(child).rfind(class_prefix, 0) != 0) continue;
            LRESULT length = SendMessageW(child, WM_GETTEXTLENGTH, 0, 0);
            if (length <= 0) continue;  // the page fills it after it is shown
            std::wstring text(static_cast<size_t>(length) + 1, L'\0');
            LRESULT got = SendMessageW(child, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
            text.resize(static_cast<size_t>(got));
            FILE* out = _wfopen(file, L"wb");
            if (!out) return Fail(L"cannot write", file);
            std::string bytes = Utf8(text);
            fwrite(bytes.data(), 1, bytes.size(), out);
            fclose(out);
            return 0;
        }
        Sleep(kStepMs);
    }
    return Fail(L"no text control of class", class_prefix);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        fwprintf(stderr, L"usage: installer_driver wait|gone|text|click|checked TITLE ...\n");
        return 2;
    }
    std::wstring command = argv[1], title = argv[2];
    if (command == L"wait") return WaitForWindow(title) ? 0 : Fail(L"no window", title);
    if (command == L"gone") {
        for (int waited = 0; waited < kWaitMs; waited += kStepMs) {
            if (!FindTopWindow(title)) return 0;
            Sleep(kStepMs);
        }
        return Fail(L"still open", title);
    }
    if (command == L"text" && argc == 5) return Text(title, argv[3], argv[4]);
    if ((command == L"click" || command == L"checked") && argc == 4) {
        HWND control = WaitForControl(title, argv[3], command == L"click");
        if (!control) return Fail(L"no control", argv[3]);
        if (command == L"checked") return SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 0 : 1;
        // BM_CLICK goes through the button's own handling (a radio button checks itself,
        // the page hears of it), as a mouse click would. Posted, not sent: the click may
        // open the next page, or end the program, before it returns.
        return PostMessageW(control, BM_CLICK, 0, 0) ? 0 : Fail(L"cannot click", argv[3]);
    }
    fwprintf(stderr, L"installer_driver: unknown command or arguments\n");
    return 2;
}
