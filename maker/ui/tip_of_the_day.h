#pragma once
// The state behind the Tip of the Day dialog: which tip shows, whether the dialog opens
// at start-up, and where in the tips file the next showing goes on. The position and the
// start-up choice are kept in the per-user settings, section "Tip":
//   "StartUp"    0: show at start-up (the default), anything else: do not;
//   "FilePos"    byte offset of the next tip in the tips file;
//   "TimeStamp"  the tips file's change time as text; a different file starts again
//                at its first tip.
// One object lives for one showing (or for the start-up check that decides against
// showing); its destruction stores the position, so every start moves on by one tip.

#include <cstdint>
#include <optional>
#include <string>

#include "maker/ui/tips_file.h"
#include "maker/ui/user_settings.h"

namespace gd {

inline constexpr std::string_view kTipSection = "Tip";
inline constexpr std::string_view kTipsMissingText = "Tips file does not exist in the prescribed directory";
inline constexpr std::string_view kTipsTroubleText = "Trouble reading the tips file";
inline constexpr std::string_view kTipsEmptyText =
    "The tips file holds no tips: every line in it is blank or a comment.";

// A tips file as read from disk: its bytes and the text of its change time.
struct TipsFileContent {
    std::string bytes;
    std::string time_stamp;
};

// The file's bytes and change time (local time in the C library's ctime form, trailing
// blanks removed); nothing when it cannot be opened or read.
std::optional<TipsFileContent> ReadTipsFile(const std::string& path);

class TipOfTheDay {
public:
    // Takes the tips file as read (nothing: it could not be opened) and shows its next
    // tip.
    TipOfTheDay(std::optional<TipsFileContent> file, UserSettings& settings);
    ~TipOfTheDay();
    TipOfTheDay(const TipOfTheDay&) = delete;
    TipOfTheDay& operator=(const TipOfTheDay&) = delete;

    // The state of the "&Show Tips on StartUp" box when the dialog opens.
    bool ShowAtStartup() const { return show_at_startup_; }
    const Tip& tip() const { return tip_; }
    // "&Next Tip" is offered only while there is a file with tips to go on with.
    bool CanShowNext() const { return file_.has_value() && has_tips_; }

    void NextTip();
    // "&Close": remembers the state of the start-up box. Closing any other way stores
    // nothing.
    void Close(bool show_at_startup);

private:
    void ShowTrouble();

    UserSettings& settings_;
    std::optional<TipsFile> file_;
    bool show_at_startup_ = true;
    bool has_tips_ = true;
    Tip tip_;
};

}  // namespace gd
