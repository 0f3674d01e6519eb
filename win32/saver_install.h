#pragma once
// Installing a screensaver file and making it the active screensaver: the one install
// both programs use (the runtime's launcher and the maker's "set as default").
//
// Where it goes: "<base name>.scr" in the system folder, where the platform has always
// looked for screensavers, when the user may write there. An ordinary user of a current
// platform may not; then the file goes to a per-user folder of ours and is made active
// through the user's own active-screensaver value instead of "system.ini". The outcome
// says where the file went, so the caller can tell the user.

#include <functional>
#include <string>
#include <string_view>

namespace gd {

enum class InstallPlace { kSystemFolder, kUserFolder };

struct InstallTarget {
    std::wstring path;
    InstallPlace place = InstallPlace::kSystemFolder;
};

enum class CopyResult {
    kCopied,
    kRefused,  // the platform denied access: the user may not write there
    kFailed,   // any other failure (a missing source, a file in use, a full disk)
};

// Every platform call of an install, so the flow is tested without touching the system.
// Paths are wide text: they may hold names outside the ANSI code page.
class InstallPlatform {
public:
    virtual ~InstallPlatform() = default;
    virtual std::wstring SystemFolder() = 0;
    // Our per-user folder for installed screensavers, made on demand; empty when the
    // platform has no per-user data folder.
    virtual std::wstring UserFolder() = 0;
    // Whether a new file may be made in `folder`.
    virtual bool CanWriteFolder(const std::wstring& folder) = 0;
    // Makes `folder` and its parents; true when it exists afterwards.
    virtual bool CreateFolder(const std::wstring& folder) = 0;
    virtual bool FileExists(const std::wstring& path) = 0;
    virtual CopyResult CopyReplacing(const std::wstring& from, const std::wstring& to) = 0;
    // The short (8.3) form of an existing path; empty when the platform gives none.
    virtual std::wstring ShortPath(const std::wstring& path) = 0;
    // Value "SCRNSAVE.EXE" of section "boot" of the platform's "system.ini".
    virtual bool WriteSystemIniSaver(const std::wstring& value) = 0;
    // The current user's active-screensaver value.
    virtual bool WriteUserSaver(const std::wstring& value) = 0;
    // Screen saving on, stored in the user's profile and announced to running programs.
    virtual bool SetScreenSaveActive() = 0;
};

InstallPlatform& SystemInstallPlatform();

// "<base_name>.scr" in the system folder when the user may write there, else in the
// per-user folder.
InstallTarget ChooseInstallTarget(InstallPlatform& platform, std::wstring_view base_name);

enum class InstallStatus {
    kInstalled,
    kDeclined,  // the file exists and the user chose not to replace it
    kFailed,    // the copy failed
};

struct InstallOutcome {
    InstallStatus status = InstallStatus::kFailed;
    InstallTarget target;  // where the file went (or would have gone)
};

struct InstallHooks {
    // Asked before an existing target is replaced; false leaves it. Unset: replace.
    std::function<bool(const InstallTarget& target)> confirm_replace;
    // Told true before and false after the copy (a caller disables its window meanwhile).
    std::function<void(bool copying)> copying;
};

// Copies `source` to the install target of `base_name`, replacing an existing file once
// confirmed. When the system folder refuses the copy, installs for the current user
// instead (asking again if the file exists there).
InstallOutcome InstallSaverFile(InstallPlatform& platform, const std::wstring& source, std::wstring_view base_name,
                                const InstallHooks& hooks);

// Makes an installed file the active screensaver, each step only when the one before
// succeeded: its short path into "system.ini" (system folder) or the user's
// active-screensaver value (per-user folder; the full path when there is no short
// form), then screen saving on. False when a step failed.
bool ActivateSaver(InstallPlatform& platform, const InstallTarget& target);

}  // namespace gd
