#include "maker/project/validate_for_make.h"

#include "common/text_trim.h"
#include "common/unicode_text.h"
#include "maker/project/path_rules.h"
#include "maker/project/payload_text.h"
#include "maker/project/saver_builder.h"

namespace gd {

bool NameHasForbiddenCharacter(std::string_view name) { return name.find_first_of("\"*/:<>?\\|") != name.npos; }

namespace {

// The longest file name Windows allows, in UTF-16 units, extension included.
constexpr size_t kMaxFileNameUnits = 255;

// Windows reserves these names for devices, also before an extension ("con.txt") and
// with blanks after them ("NUL .scr").
bool IsDeviceName(std::string_view name) {
    std::string base = UpperAscii(name.substr(0, name.find('.')));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL") return true;
    return base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) && base[3] >= '1' && base[3] <= '9';
}

}  // namespace

std::string NameCharactersMessage(std::string_view name) {
    const size_t at = name.find_first_of("\"*/:<>?\\|");
    if (at == name.npos) return {};
    return std::string(kNameCharactersMessage) + "\nThis name contains \"" + name[at] + "\".";
}

std::string NameProblem(std::string_view name) {
    if (NameHasForbiddenCharacter(name)) return NameCharactersMessage(name);
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7F) return std::string(kNameControlMessage);
    for (size_t pos = 0; pos < name.size();) {
        const Utf8Char ch = DecodeUtf8(name, pos);
        if (!ch.well_formed) return "Screensaver name can't contain " + DescribeCharacter(ch.code_point) + "!    ";
        pos += ch.length;
    }
    if (IsDeviceName(name)) return std::string(kNameDeviceMessage);
    if (!name.empty() && (name.back() == '.' || name.back() == ' ')) return std::string(kNameEndMessage);
    if (ToUtf16(name).size() + 4 > kMaxFileNameUnits) return std::string(kNameTooLongMessage);
    return {};
}

bool ValidateForMake(CParamData& project, MakeValidationUi& ui) {
    project.szName = std::string(TrimWhiteSpace(project.szName));
    if (project.szName.empty()) {
        ui.ShowProblem(ProjectPage::kGeneral, std::string(kNameNeededMessage));
        return false;
    }
    if (std::string problem = NameProblem(project.szName); !problem.empty()) {
        ui.ShowProblem(ProjectPage::kGeneral, problem);
        return false;
    }
    if (project.pictureList.empty()) {
        ui.ShowProblem(ProjectPage::kPictures, std::string(kNoPictureMessage));
        return false;
    }
    if (auto problem = CheckPayloadTexts(project)) {
        ui.ShowProblem(ProjectPage(problem->page), problem->label + " can't go into the screensaver: " + problem->reason);
        return false;
    }
    std::string target = OutputPathFor(project);
    return !PathExists(target) || ui.Ask(target + " already exists. \nDo you want to replace it?   ");
}

}  // namespace gd
