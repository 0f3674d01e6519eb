#pragma once
// The checks before a build: a legal name, at least one picture, and permission to
// replace an existing output file. Also the name check that runs before every save.

#include <string>
#include <string_view>

#include "maker/project/param_data.h"

namespace gd {

// The pages of the main window a problem is shown on.
enum class ProjectPage { kGeneral = 1, kPictures = 2, kMusic = 3, kSettings = 4 };

class MakeValidationUi {
public:
    virtual ~MakeValidationUi() = default;
    // Shows the problem on its page (the GUI switches there and focuses the field).
    virtual void ShowProblem(ProjectPage page, const std::string& message) = 0;
    // A question with OK and Cancel; true for OK.
    virtual bool Ask(const std::string& question) = 0;
};

inline constexpr std::string_view kNameNeededMessage = "Screensaver name is needed!    ";
inline constexpr std::string_view kNameCharactersMessage =
    "Screensaver name can't contain :\n / \\ : * ? \" < > |     ";
inline constexpr std::string_view kNoPictureMessage = "Please add  one picture at least!    ";
inline constexpr std::string_view kNameControlMessage = "Screensaver name can't contain control characters!    ";
inline constexpr std::string_view kNameDeviceMessage =
    "Screensaver name can't be :\n CON PRN AUX NUL COM1..COM9 LPT1..LPT9 (with any extension)     ";
inline constexpr std::string_view kNameEndMessage = "Screensaver name can't end with a dot or a blank!    ";

// True when the name holds one of the nine characters a file name cannot hold.
bool NameHasForbiddenCharacter(std::string_view name);

inline constexpr std::string_view kNameTooLongMessage = "Screensaver name is too long for a file name!    ";

// Why Windows cannot have a file of this name, as the message to show; empty when it can
// (an empty name too). Any character may be in a name but these, checked in this order:
// one of the nine characters (the message's last line names it), a control character
// (below 0x20, or 0x7F), a byte that is not UTF-8 (named in the message), a device name
// (CON, PRN, AUX, NUL, COM1..COM9, LPT1..LPT9, in any case, alone or before a dot), a dot
// or a blank at the end, and a name whose file name with its extension is longer than
// the 255 UTF-16 units a file name may have (possible within the limit in characters
// only through many combining marks). The Linux maker keeps the same rules: the file is
// for Windows.
std::string NameProblem(std::string_view name);

// kNameCharactersMessage with a last line naming the first of the nine characters the
// name holds; empty when it holds none.
std::string NameCharactersMessage(std::string_view name);

// Trims szName in the project, then checks it, the picture list, that every text the
// screensaver carries can go into it (CheckPayloadTexts), and the output file.
// False when the build must not start (the problem has been shown, or the user refused
// to replace the output file).
bool ValidateForMake(CParamData& project, MakeValidationUi& ui);

}  // namespace gd
