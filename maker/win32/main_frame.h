#pragma once
// CMainFrame: the maker's main window. A menu bar, a toolbar with captions under its
// images, a status bar, the navigation pane on the left and one of the five pages in the
// rest; 740x500 at 96 DPI, centred, without a sizing border. The frame owns the open
// project (a CScreenSaverDoc) and runs every command on it: the document commands with
// their save-changes step, Preview, Make SCR, the help and web commands.

#include <windows.h>

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "maker/project/screensaver_doc.h"
#include "maker/project/validate_for_make.h"
#include "maker/ui/page_switcher.h"
#include "maker/ui/recent_projects.h"
#include "maker/win32/frame_bars.h"
#include "maker/win32/frame_menu.h"
#include "maker/win32/frame_page.h"
#include "maker/win32/maker_services.h"
#include "maker/win32/navigation_bar.h"
#include "win32/state_window.h"

namespace gd {

class CGeneralView;

class CMainFrame : public MakeValidationUi {
public:
    explicit CMainFrame(MakerServices& services);
    ~CMainFrame() override;
    CMainFrame(const CMainFrame&) = delete;
    CMainFrame& operator=(const CMainFrame&) = delete;

    // Makes the window (hidden) with a new project on the General page.
    bool Create();
    // Shows it at 740x500 (scaled), centred on its monitor, and accepts dropped files.
    void ShowCentred(int show_command);
    HWND hwnd() const { return window_; }

    // The keyboard: Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+Page Down and Ctrl+Page Up switch pages,
    // F6 moves between the navigation pane and the page, then the accelerators, then
    // Tab, the arrows and the mnemonics through the pane and the shown page. True when
    // the message was used.
    bool PreTranslateMessage(MSG& message);

    // Opens a project file after the save-changes step (command line, drop, recent).
    bool OpenProjectFile(const std::string& path);

    // The pieces tests read back.
    CScreenSaverDoc& doc() { return doc_; }
    PageSwitcher& pages() { return *pages_; }
    CNavigationBar& navigation() { return navigation_; }
    CGeneralView* general_view() const { return general_; }
    const RecentProjects& recent() const { return recent_; }
    FrameBars& bars() { return bars_; }
    std::wstring Caption() const;

    // MakeValidationUi: a problem switches to its page and is shown there.
    void ShowProblem(ProjectPage page, const std::string& message) override;
    bool Ask(const std::string& question) override;

private:
    template <class T, StateOwner> friend LRESULT CALLBACK StateWindowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    BOOL OnCreate(HWND, LPCREATESTRUCT);
    void OnCommand(HWND, int id, HWND control, UINT code);
    LRESULT OnNotify(HWND, int id, NMHDR* header);
    void OnTimer(HWND, UINT id);
    void OnActivate(HWND, UINT state, HWND other, BOOL minimized);
    void OnSetFocus(HWND, HWND previous);
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    void OnNextControl(HWND control, BOOL by_handle);
    void OnClose(HWND);
    void OnDestroy(HWND);
    void OnDropFiles(HWND, HDROP drop);
    void OnInitMenu(HWND, HMENU menu);
    void Layout();
    bool OnFrameKey(UINT key);
    HWND ShownPageWindow() const;
    void FocusPage();

    // Pages
    std::unique_ptr<ProjectView> MakePage(int page);
    void ShowPage(int page);
    PageContext MakePageContext();

    // Document commands (frame_commands.cpp)
    bool AskToSaveChanges();
    bool PrepareToReplaceProject();
    void FinishProjectReplaced();
    void OnFileNew();
    void OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    bool SaveTo(const std::string& path);
    bool NameAllowsSaving();
    void OnRecentFile(size_t index);
    void RememberRecent(const std::string& path);
    void UpdateRecentMenu();
    void OnPreview();
    void OnMakeScr();
    void OnHelpPage(const char* page);
    void OnTipOfTheDay();
    void OnAbout();
    void OpenAddress(const char* address);
    void UpdateCaption();
    int Message(const std::wstring& text, UINT type);

    MakerServices& services_;
    HWND window_ = nullptr;
    UINT dpi_ = 96;
    CScreenSaverDoc doc_;
    RecentProjects recent_;
    FrameBars bars_;
    MenuImages menu_images_;
    CNavigationBar navigation_;
    std::unique_ptr<PageSwitcher> pages_;
    std::array<FramePage*, kPageCount + 1> frame_pages_{};
    CGeneralView* general_ = nullptr;
    HACCEL accelerators_ = nullptr;
    HWND last_focus_ = nullptr;
};

// The maker's window title for a document title, "Glimmerdeck - <title>", with a "*"
// before the title while the project has unsaved changes.
std::wstring FrameCaption(const std::string& title, bool modified);

}  // namespace gd
