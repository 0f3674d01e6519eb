#pragma once
// The whole persistent content of a project: what a project file holds and what the build
// embeds. Fields keep the names the project file and the settings keys use.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "common/color_ref.h"
#include "common/log_font.h"
#include "maker/project/picture_data.h"
#include "maker/project/project_extension.h"

namespace gd {

constexpr size_t kProjectEffectFlags = 64;

// Where the user types, texts are held to these lengths; in memory they are unlimited.
constexpr size_t kMaxName = 30;
constexpr size_t kMaxAuthor = 30;
constexpr size_t kMaxEmail = 50;
constexpr size_t kMaxHomePage = 50;
constexpr size_t kMaxCopyright = 50;
constexpr size_t kMaxDescription = 200;
constexpr size_t kMaxBanner = 64;
constexpr size_t kMaxCaption = 64;

// Fields the project file carries that nothing reads or sets. Values read from a file
// are written back unchanged.
struct ReservedFields {
    int32_t n1 = 0;
    std::string sz1;
    std::array<int32_t, 3> n2{};
    std::string sz2;
    std::array<int32_t, 6> n3{};
    std::string sz3;
    std::string sz4;
    std::array<uint8_t, 64> bytes{};

    friend bool operator==(const ReservedFields&, const ReservedFields&) = default;
};

class CParamData {
public:
    // A new project: the defaults of SetDefaults().
    CParamData();

    // Empties both lists and sets every field except the reserved and kept ones to the
    // value of a new project; szOutputFolder becomes the user's desktop folder.
    void SetDefaults();

    // Adds a picture or a music file unless the list already holds the same path (as the
    // platform compares paths: SamePath). Returns false when it was already listed.
    bool AddPicture(const std::string& file, const CaptionStyle& style);
    bool AddMusic(const std::string& file);
    bool HasPicture(const std::string& file) const;

    // The fields of a project; SetDefaults() gives each its value in a new project (the
    // options' from the options table, common/show_options.h).
    std::vector<CPictureData> pictureList;
    std::vector<std::string> musicList;
    std::string szName;
    std::string szAuthor;
    std::string szEmail;
    std::string szHomePage;
    std::string szCopyright;
    std::string szDescription;
    ColorRef crBgColor{};
    std::string szIconFile;  // empty: keep the template's icon
    int32_t bSelfInstall{};  // 1: self-installing ".exe", 0: standard ".scr"
    std::string szOutputFolder;
    int32_t bMouseMove{};
    int32_t bMouseLeftClick{};
    int32_t bMouseRightClick{};
    int32_t bKeyboardEvent{};
    int32_t bShuffleAudio{};
    int32_t nAudioPause{};  // seconds
    int32_t bMuteMusic{};
    std::string szBanner;  // empty: no banner
    LogFont lfBanner;
    ColorRef crBanner{};
    int32_t nBannerPos{};  // 0 top centre, 1 bottom centre
    int32_t bShufflePic{};
    int32_t bAutoAdjustSize{};
    int32_t nEffectMilliSecond{};
    int32_t nPicturePause{};  // seconds
    std::array<uint8_t, kProjectEffectFlags> bEffectOn{};
    int32_t bMovePicture{};  // stored in the project file's extension block
    // Stored in the extension block too (see the options table for each).
    int32_t nEffectCount{};  // the effects bEffectOn speaks for: 44 in a file without it
    int32_t bSmoothScaling{};
    int32_t bShuffleRounds{};
    int32_t bPanZoom{};
    int32_t nPanZoom{};  // percent
    int32_t nBackdrop{};  // 0 background colour, 1 blurred picture
    int32_t nMonitorMode{};  // 0 primary monitor only, 1 the same show on each, 2 a picture each
    int32_t bScaleTexts{};   // captions and banner scaled to each monitor's DPI
    int32_t nFitWidth{};  // pictures shrunk when made to fit this box; 0: that side unlimited
    int32_t nFitHeight{};
    int32_t bTrueColours{};  // pictures' colours turned into sRGB by their embedded profiles
    int32_t bCaptionFields{};  // captions' placeholders filled in when made
    ReservedFields reserved;
    ExtensionKept extension;  // what the extension block of the file read held and this version does not know

    friend bool operator==(const CParamData&, const CParamData&) = default;
};

// The author, e-mail and home page a new project starts with: placeholders the user is
// expected to overwrite.
inline constexpr const char* kDefaultAuthor = "";
inline constexpr const char* kDefaultEmail = "name@example.com";
inline constexpr const char* kDefaultHomePage = "http://www.example.com";
inline constexpr const char* kDefaultCopyright = "(C) 2004 My Company";
inline constexpr const char* kDefaultDescription = "Describe here your screensaver!";

}  // namespace gd
