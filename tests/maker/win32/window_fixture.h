#pragma once
// The maker's window in the test's own process: a program folder of the test's own, the
// per-user settings in memory, and every message box and file dialog answered by fakes.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "maker/ui/user_settings.h"
#include "maker/win32/file_prompts.h"
#include "maker/win32/main_frame.h"
#include "maker/win32/maker_services.h"
#include "tests/maker/project/temp_folder.h"
#include "tests/runtime/wine/message_pump.h"
#include "tests/win32/fake_prompter.h"

namespace gd::test {

// File dialogs answered from lists (nothing, as a cancel, once a list is used up).
class FakeFilePrompts final : public FilePrompts {
public:
    std::optional<std::string> OpenProject(HWND) override { return Next(open); }
    std::optional<std::string> SaveProjectAs(HWND, const std::string& suggested) override {
        save_suggestions.push_back(suggested);
        return Next(save);
    }
    std::optional<std::string> ChooseIcon(HWND, const std::string& start_folder) override {
        icon_folders.push_back(start_folder);
        return Next(icon);
    }
    std::optional<std::string> ChooseFolder(HWND, const std::wstring&) override { return Next(folder); }
    std::optional<std::vector<std::string>> ChoosePictures(HWND, const std::string& start_folder) override {
        picture_folders.push_back(start_folder);
        return Next(pictures);
    }
    std::optional<std::vector<std::string>> ChooseMusic(HWND, const std::string& start_folder) override {
        music_folders.push_back(start_folder);
        return Next(music);
    }

    std::deque<std::optional<std::string>> open, save, icon, folder;
    std::deque<std::optional<std::vector<std::string>>> pictures, music;
    std::vector<std::string> save_suggestions, icon_folders;
    std::vector<std::string> picture_folders, music_folders;  // where the Add dialogs started

private:
    template <class T> static std::optional<T> Next(std::deque<std::optional<T>>& answers) {
        if (answers.empty()) return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// A file of the source tree, as the Windows build sees it under Wine.
inline std::string SourceFile(const std::string& relative) {
    std::string path = std::string(GD_SOURCE_DIR) + "/" + relative;
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    return path;
}

class MakerWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX init{sizeof init, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&init);
        std::filesystem::create_directories(folder_.path() / "data");
        std::filesystem::create_directories(folder_.path() / "help");
        folder_.Write("data/Tips.txt", std::string("First tip\nSecond tip\tHeader\tFooter\n"));
        folder_.Write("app.ini", std::string("[main]\r\nAppVer=3.6.2\r\n"));
        folder_.Write("help/overview.html", std::string("<html></html>"));
        services_.instance = GetModuleHandleW(nullptr);
        services_.program_folder = folder_.path().string();
        services_.prompter = &prompter_;
        services_.files = &files_;
        services_.settings = &settings_;
        services_.open_address = [this](const std::wstring& address) {
            opened_.push_back(address);
            return intptr_t(42);
        };
    }
    void TearDown() override {
        frame_.reset();
        DropPendingMessages();
    }

    CMainFrame& MakeFrame() {
        frame_ = std::make_unique<CMainFrame>(services_);
        EXPECT_TRUE(frame_->Create());
        frame_->ShowCentred(SW_SHOWNOACTIVATE);
        return *frame_;
    }
    void Command(int id) { SendMessageW(frame_->hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    // The texts of the message boxes shown so far, and forgets them.
    std::vector<std::wstring> TakeMessages() {
        std::vector<std::wstring> texts;
        for (const auto& p : prompter_.shown) texts.push_back(p.text);
        prompter_.shown.clear();
        return texts;
    }
    std::string Path(const std::string& name) const { return folder_.File(name); }

    TempFolder folder_;
    MemoryUserSettings settings_;
    FakePrompter prompter_;
    FakeFilePrompts files_;
    MakerServices services_;
    std::vector<std::wstring> opened_;
    std::unique_ptr<CMainFrame> frame_;
};

// Runs `step` from a timer while a modal dialog's own loop runs (the test's thread is
// inside it); `step` returns true once it is done.
class ModalDriver {
public:
    explicit ModalDriver(std::function<bool()> step) {
        Current() = std::move(step);
        timer_ = SetTimer(nullptr, 0, 30, &ModalDriver::Tick);
    }
    ~ModalDriver() {
        KillTimer(nullptr, timer_);
        Current() = nullptr;
    }
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

private:
    static std::function<bool()>& Current() {
        static std::function<bool()> step;
        return step;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (Current() && Current()()) Current() = nullptr;
    }
    UINT_PTR timer_ = 0;
};

// The top-level window of this thread with the caption `title`, or nullptr.
inline HWND FindThreadWindow(const wchar_t* title) {
    struct Search {
        const wchar_t* title;
        HWND found;
    } search{title, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            wchar_t text[256] = {};
            GetWindowTextW(window, text, 256);
            if (std::wstring(text) == s->title && IsWindowVisible(window)) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        LPARAM(&search));
    return search.found;
}

}  // namespace gd::test
