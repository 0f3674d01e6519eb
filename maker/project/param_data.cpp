#include "maker/project/param_data.h"

#include "maker/project/desktop_folder.h"
#include "maker/project/path_rules.h"
#include "maker/project/project_options.h"

namespace gd {

CParamData::CParamData() { SetDefaults(); }

void CParamData::SetDefaults() {
    pictureList.clear();
    musicList.clear();
    szName.clear();
    szAuthor = kDefaultAuthor;
    szEmail = kDefaultEmail;
    szHomePage = kDefaultHomePage;
    szCopyright = kDefaultCopyright;
    szDescription = kDefaultDescription;
    szIconFile.clear();
    bSelfInstall = 1;
    szOutputFolder = UserDesktopFolder();
    SetOptionDefaults(*this);
}

bool CParamData::HasPicture(const std::string& file) const {
    for (const auto& p : pictureList)
        if (SamePath(p.szFile, file)) return true;
    return false;
}

bool CParamData::AddPicture(const std::string& file, const CaptionStyle& style) {
    if (HasPicture(file)) return false;
    pictureList.emplace_back(file, style);
    return true;
}

bool CParamData::AddMusic(const std::string& file) {
    if (ContainsPath(musicList, file)) return false;
    musicList.push_back(file);
    return true;
}

}  // namespace gd
