#include "maker/project/param_data.h"

#include "maker/project/desktop_folder.h"
#include "maker/project/path_rules.h"

namespace gd {

LogFont DefaultBannerFont() {
    LogFont font;
    font.height = -32;
    font.weight = 400;
    font.out_precision = 2;
    font.face_name = "MS Sans Serif";
    return font;
}

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
    crBgColor = 0;
    szIconFile.clear();
    bSelfInstall = 1;
    szOutputFolder = UserDesktopFolder();
    bMouseMove = bMouseLeftClick = bMouseRightClick = bKeyboardEvent = 1;
    bShuffleAudio = 1;
    nAudioPause = 5;
    bMuteMusic = 0;
    szBanner.clear();
    lfBanner = DefaultBannerFont();
    crBanner = 0xFFFFFF;
    nBannerPos = 0;
    bShufflePic = 1;
    bAutoAdjustSize = 0;
    nEffectMilliSecond = 2000;
    nPicturePause = 3;
    bEffectOn.fill(1);
    bMovePicture = 1;
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
