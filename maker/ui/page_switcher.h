#pragma once
// The pages of the main window and the rules for showing them. Pages are numbered
// 1 General, 2 Pictures, 3 Music, 4 Settings, 5 Effects. General exists from the start;
// the others are made on first use and kept. Pictures, Music and Effects carry a
// reload-pending flag: set when the project is replaced, it makes the page load the
// project again when it is next shown.
//
// The rules are free of any window system so they can be tested on their own; the main
// window gives the switcher a factory that makes its pages.

#include <array>
#include <functional>
#include <memory>

namespace gd {

inline constexpr int kPageCount = 5;
enum PageNumber : int { kGeneralPage = 1, kPicturesPage = 2, kMusicPage = 3, kSettingsPage = 4, kEffectsPage = 5 };

// One page of the main window, bound to the open project.
class ProjectView {
public:
    virtual ~ProjectView() = default;
    // Fills the controls from the project.
    virtual void LoadFromProject() = 0;
    // Writes the controls back into the project.
    virtual void StoreToProject() = 0;
    // The project is about to be replaced: drop the selection, stop what plays.
    virtual void ResetForNewProject() {}
    // The project was saved: saving drops the files that are gone from the lists, and the
    // page follows without losing what it shows (selection, scroll position, what plays).
    virtual void AfterProjectSaved() {}
    // Preview or Make is about to start: stop the music player or the demonstration.
    virtual void StopPlaying() {}
    // Preview or Make ended: what StopPlaying stopped and the user will want back (the
    // demonstration) starts again.
    virtual void ResumePlaying() {}
    virtual void Show(bool visible) = 0;
};

class PageSwitcher {
public:
    using Factory = std::function<std::unique_ptr<ProjectView>(int page)>;
    explicit PageSwitcher(Factory factory);

    // Makes the General page, loads it and shows it.
    void Start();

    // Stores the shown page, makes page n if needed (loading it once), loads it again
    // when its reload flag is set, then shows it and hides the previous one. Switching
    // to the shown page only stores it. False for a page number out of range or a page
    // that could not be made.
    bool SwitchToPage(int n);

    // Writes the shown page into the project (before a command that reads it).
    void CommitShownPage();

    // The user let the project be replaced: show General, flag Pictures, Music and
    // Effects (those that exist) for reloading and reset them.
    void BeforeProjectReplaced();
    // The new project is in place: every page that exists loads it.
    void AfterProjectReplaced();

    // The project was saved: every page that exists follows it (ProjectView).
    void AfterProjectSaved();

    // Stops the music player and the demonstration, where those pages exist; Resume
    // plays the demonstration again.
    void StopPlaying();
    void ResumePlaying();

    int current() const { return current_; }
    // The page, or nullptr when it has not been made.
    ProjectView* page(int n) const;
    bool reload_pending(int n) const;

private:
    static bool HasReloadFlag(int n) { return n == kPicturesPage || n == kMusicPage || n == kEffectsPage; }

    Factory factory_;
    std::array<std::unique_ptr<ProjectView>, kPageCount + 1> pages_;
    std::array<bool, kPageCount + 1> reload_{};
    int current_ = 0;
};

}  // namespace gd
