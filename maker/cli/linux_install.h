#pragma once
// Installing a made screensaver for the user on Linux, where screensaver hosts run it
// through the Linux runtime (reelhost):
//   - a copy of the file in the user's data folder (~/.local/share/glimmerdeck/NAME.scr);
//   - a program line in ~/.xscreensaver's `programs:` list, the rest of the file as it
//     was, and the file as it was before kept beside it (~/.xscreensaver.glimmerdeck~);
//   - a desktop entry with Categories=Screensaver for the hosts that list screensavers
//     that way (~/.local/share/applications/screensavers/glimmerdeck-ID.desktop).
// Removing undoes exactly these three, found by the screensaver's identifier.

#include <string>
#include <vector>

namespace gd::cli {

struct LinuxInstallPaths {
    std::string data_dir;           // where the copies go
    std::string xscreensaver_file;  // the user's settings file of xscreensaver
    std::string desktop_dir;        // where the desktop entries go
    std::string reelhost;           // the runtime as a program line names it
};

// The user's places ($HOME, $XDG_DATA_HOME) and the runtime beside the maker in
// `program_folder`: named by its bare name when it lies in xscreensaver's own folder of
// programs (which xscreensaver puts first on the path), else by its full path.
LinuxInstallPaths UserInstallPaths(const std::string& program_folder);

struct LinuxInstallResult {
    bool ok = false;
    std::vector<std::string> done;  // what was changed, a line each, for the user
    std::string error;              // why not, when !ok
};

LinuxInstallResult InstallForUser(const std::string& screensaver, const LinuxInstallPaths& paths);
LinuxInstallResult RemoveForUser(const std::string& screensaver, const LinuxInstallPaths& paths);

// The name of the copy: the screensaver's name with nothing but letters, digits, blanks,
// '-', '_' and '.' kept (others become '_'), ".scr" added; "Screensaver.scr" when nothing
// is left.
std::string InstalledFileName(const std::string& name_utf8);

}  // namespace gd::cli
