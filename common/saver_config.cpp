#include "common/saver_config.h"

#include <algorithm>

#include "common/byte_io.h"
#include "common/text_trim.h"

namespace gd {
namespace {

// Field offsets of the record; every byte between them is zero.
constexpr size_t kIdentifier = 0;
constexpr size_t kMakerValue = 36;
constexpr size_t kName = 40;
constexpr size_t kAuthor = 71;
constexpr size_t kEmail = 102;
constexpr size_t kHomePage = 153;
constexpr size_t kCopyright = 204;
constexpr size_t kDescription = 255;
constexpr size_t kBuildTime = 456;
constexpr size_t kBgColor = 476;
constexpr size_t kMouseMove = 480;
constexpr size_t kMouseLeftClick = 484;
constexpr size_t kMouseRightClick = 488;
constexpr size_t kKeyboardEvent = 492;
constexpr size_t kHasMusic = 496;
constexpr size_t kShuffleAudio = 500;
constexpr size_t kMusicCount = 504;
constexpr size_t kAudioPause = 508;
constexpr size_t kMuteMusic = 512;
constexpr size_t kHasPictures = 516;
constexpr size_t kShufflePic = 520;
constexpr size_t kPictureCount = 524;
constexpr size_t kAutoAdjustSize = 528;
constexpr size_t kMovePicture = 532;
constexpr size_t kEffectMillisecond = 536;
constexpr size_t kPicturePause = 540;
constexpr size_t kEffectOn = 544;
constexpr size_t kBanner = 608;
constexpr size_t kBannerFont = 676;
constexpr size_t kBannerColor = 736;
constexpr size_t kBannerPos = 740;

// A text field holds its limit plus one byte for the NUL, except the identifier, which
// fills its 32 bytes and is ended by the zero field after it.
struct TextField {
    size_t offset;
    size_t limit;
    std::string SaverConfig::*member;
};

constexpr TextField kTextFields[] = {
    {kName, kNameLimit, &SaverConfig::name},
    {kAuthor, kAuthorLimit, &SaverConfig::author},
    {kEmail, kEmailLimit, &SaverConfig::email},
    {kHomePage, kHomePageLimit, &SaverConfig::home_page},
    {kCopyright, kCopyrightLimit, &SaverConfig::copyright},
    {kDescription, kDescriptionLimit, &SaverConfig::description},
    {kBuildTime, kBuildTimeLimit, &SaverConfig::build_time},
};

struct IntField {
    size_t offset;
    int32_t SaverConfig::*member;
};

constexpr IntField kIntFields[] = {
    {kMakerValue, &SaverConfig::maker_value},
    {kMouseMove, &SaverConfig::mouse_move},
    {kMouseLeftClick, &SaverConfig::mouse_left_click},
    {kMouseRightClick, &SaverConfig::mouse_right_click},
    {kKeyboardEvent, &SaverConfig::keyboard_event},
    {kHasMusic, &SaverConfig::has_music},
    {kShuffleAudio, &SaverConfig::shuffle_audio},
    {kMusicCount, &SaverConfig::music_count},
    {kAudioPause, &SaverConfig::audio_pause},
    {kMuteMusic, &SaverConfig::mute_music},
    {kHasPictures, &SaverConfig::has_pictures},
    {kShufflePic, &SaverConfig::shuffle_pic},
    {kPictureCount, &SaverConfig::picture_count},
    {kAutoAdjustSize, &SaverConfig::auto_adjust_size},
    {kMovePicture, &SaverConfig::move_picture},
    {kEffectMillisecond, &SaverConfig::effect_millisecond},
    {kPicturePause, &SaverConfig::picture_pause},
    {kBannerPos, &SaverConfig::banner_pos},
};

}  // namespace

std::vector<uint8_t> EncodeSaverConfig(const SaverConfig& config) {
    std::vector<uint8_t> bytes(kSaverConfigSize, 0);
    uint8_t* p = bytes.data();
    WriteFixedText(p + kIdentifier, kIdentifierLength, kIdentifierLength, config.identifier);
    for (const TextField& f : kTextFields) WriteFixedText(p + f.offset, f.limit + 1, f.limit, config.*f.member);
    for (const IntField& f : kIntFields) WriteI32(p + f.offset, config.*f.member);
    WriteU32(p + kBgColor, config.bg_color);
    std::copy(config.effect_on.begin(), config.effect_on.end(), p + kEffectOn);
    WriteFixedText(p + kBanner, kBannerLimit + 1, kBannerLimit, CutAndTrim(config.banner, kBannerLimit));
    WriteLogFont(p + kBannerFont, config.banner_font);
    WriteU32(p + kBannerColor, config.banner_color);
    return bytes;
}

std::optional<SaverConfig> DecodeSaverConfig(std::span<const uint8_t> bytes) {
    if (bytes.size() != kSaverConfigSize) return std::nullopt;
    const uint8_t* p = bytes.data();
    SaverConfig config;
    config.identifier = ReadFixedText(p + kIdentifier, kIdentifierLength);
    for (const TextField& f : kTextFields) config.*f.member = ReadFixedText(p + f.offset, f.limit + 1);
    for (const IntField& f : kIntFields) config.*f.member = ReadI32(p + f.offset);
    config.bg_color = ReadU32(p + kBgColor);
    std::copy(p + kEffectOn, p + kEffectOn + kEffectFlagCount, config.effect_on.begin());
    config.banner = ReadFixedText(p + kBanner, kBannerLimit + 1);
    config.banner_font = ReadLogFont(p + kBannerFont);
    config.banner_color = ReadU32(p + kBannerColor);
    return config;
}

}  // namespace gd
