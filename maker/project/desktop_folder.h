#pragma once
// Where a new project writes its screensaver by default: the user's desktop folder.

#include <string>

namespace gd {

// Windows: the user's desktop folder, else the profile folder.
// Elsewhere: the XDG desktop directory (XDG_DESKTOP_DIR from the environment, else from
// user-dirs.dirs in the XDG configuration folder) when it names an existing folder,
// otherwise the home folder. Empty when neither is known.
std::string UserDesktopFolder();

#ifndef _WIN32
// The value of XDG_DESKTOP_DIR in the text of a user-dirs.dirs file, with "$HOME"
// expanded; empty when the file does not set it.
std::string DesktopDirFromUserDirs(const std::string& text, const std::string& home);
#endif

}  // namespace gd
