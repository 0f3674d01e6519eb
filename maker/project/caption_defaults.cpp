#include "maker/project/caption_defaults.h"

#include <filesystem>

#include "common/character_count.h"
#include "common/code_page.h"
#include "common/native_path.h"
#include "common/profile_portable.h"
#include "maker/project/path_rules.h"

namespace gd {
namespace {

constexpr const char* kSection = "CaptionFont";

struct IntKey {
    const char* key;
    int32_t LogFont::*member;
};

struct ByteKey {
    const char* key;
    uint8_t LogFont::*member;
};

constexpr IntKey kFontInts[] = {
    {"lfHeight", &LogFont::height},
    {"lfWidth", &LogFont::width},
    {"lfEscapement", &LogFont::escapement},
    {"lfOrientation", &LogFont::orientation},
    {"lfWeight", &LogFont::weight},
};

constexpr ByteKey kFontBytes[] = {
    {"lfItalic", &LogFont::italic},
    {"lfUnderline", &LogFont::underline},
    {"lfStrikeOut", &LogFont::strike_out},
    {"lfCharSet", &LogFont::char_set},
    {"lfOutPrecision", &LogFont::out_precision},
    {"lfPitchAndFamily", &LogFont::pitch_and_family},
};

bool WriteCaptionDefaults(const std::string& path, const LogFont& font, int32_t position, ColorRef color,
                          ProfileStore& store) {
    bool ok = store.WriteString(path, kSection, "crDefaultCaptionColor", std::to_string(int32_t(color)));
    ok = store.WriteString(path, kSection, "nDefaultCaptionPos", std::to_string(position)) && ok;
    for (const IntKey& k : kFontInts) ok = store.WriteString(path, kSection, k.key, std::to_string(font.*k.member)) && ok;
    for (const ByteKey& k : kFontBytes) {
        ok = store.WriteString(path, kSection, k.key, std::to_string(unsigned(font.*k.member))) && ok;
    }
    return store.WriteString(path, kSection, "lfFaceName", font.face_name) && ok;
}

}  // namespace

std::string CaptionDefaultsPath(const std::string& program_folder) {
    return JoinPath(JoinPath(program_folder, "data"), "param.ini");
}

std::string UserCaptionDefaultsPath(const std::string& user_folder) {
    return user_folder.empty() ? std::string() : JoinPath(user_folder, "param.ini");
}

ProfileStore& MakerProfileStore() {
    static PortableProfileStore store;
    return store;
}

CaptionDefaults LoadCaptionDefaults(const std::string& program_folder, ProfileStore& store,
                                    const std::string& user_folder) {
    const std::string user_copy = UserCaptionDefaultsPath(user_folder);
    const std::string path =
        !user_copy.empty() && store.Exists(user_copy) ? user_copy : CaptionDefaultsPath(program_folder);
    CaptionDefaults d;
    d.color = ColorRef(store.ReadInt(path, kSection, "crDefaultCaptionColor", int32_t(d.color)));
    d.position = store.ReadInt(path, kSection, "nDefaultCaptionPos", d.position);
    for (const IntKey& k : kFontInts) d.font.*k.member = store.ReadInt(path, kSection, k.key, d.font.*k.member);
    for (const ByteKey& k : kFontBytes) {
        d.font.*k.member = uint8_t(store.ReadInt(path, kSection, k.key, d.font.*k.member));
    }
    // UTF-8 as the maker writes it, or the code-page bytes of an older file; read whole,
    // then cut between characters to what a face name holds (a cut in bytes could split
    // a character and leave a name no screensaver can take).
    const std::string face = store.ReadString(path, kSection, "lfFaceName", d.font.face_name, 4 * kFaceNameField);
    d.font.face_name = std::string(CutToCharacters(NarrowFileTextToUtf8(face), kFaceNameLimit));
    return d;
}

bool SaveCaptionDefaults(const std::string& program_folder, const LogFont& font, int32_t position, ColorRef color,
                         ProfileStore& store, const std::string& user_folder) {
    const std::string user_copy = UserCaptionDefaultsPath(user_folder);
    if (WriteCaptionDefaults(CaptionDefaultsPath(program_folder), font, position, color, store)) {
        if (!user_copy.empty() && store.Exists(user_copy)) store.Remove(user_copy);
        return true;
    }
    if (user_copy.empty()) return false;
    std::error_code ignored;
    std::filesystem::create_directories(NativePath(user_folder), ignored);
    return WriteCaptionDefaults(user_copy, font, position, color, store);
}

}  // namespace gd
