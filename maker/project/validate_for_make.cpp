#include "maker/project/validate_for_make.h"

#include "common/text_trim.h"
#include "maker/project/path_rules.h"
#include "maker/project/payload_text.h"
#include "maker/project/saver_builder.h"

namespace gd {

bool NameHasForbiddenCharacter(std::string_view name) { return name.find_first_of("\"*/:<>?\\|") != name.npos; }

bool ValidateForMake(CParamData& project, MakeValidationUi& ui) {
    project.szName = std::string(TrimWhiteSpace(project.szName));
    if (project.szName.empty()) {
        ui.ShowProblem(ProjectPage::kGeneral, std::string(kNameNeededMessage));
        return false;
    }
    if (NameHasForbiddenCharacter(project.szName)) {
        ui.ShowProblem(ProjectPage::kGeneral, std::string(kNameCharactersMessage));
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
