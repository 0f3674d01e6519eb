#pragma once
// The `programs:` list of a user's ~/.xscreensaver, edited as text so everything else in
// the file (comments, other settings, the other programs and their layout) stays as the
// user and their settings program wrote it.
//
// The list is one resource value over several lines: each line but the last ends in a
// backslash, and each program ends in "\n" (a backslash and the letter n). A program's
// line is [-] [VISUAL:] ["NAME"] COMMAND, the command in sh syntax.

#include <optional>
#include <string>
#include <string_view>

namespace gd::cli {

// The file's text with the program line `entry` (without "\n" and backslashes) added at
// the end of the list; a file without a list gets one at its end.
std::string AddXScreensaverProgram(std::string_view file, std::string_view entry);

// The file's text without the programs whose line contains `needle`; nothing when no
// program holds it.
std::optional<std::string> RemoveXScreensaverPrograms(std::string_view file, std::string_view needle);

// Text quoted for sh: in single quotes, a single quote written as '\''.
std::string ShellQuote(std::string_view text);

}  // namespace gd::cli
