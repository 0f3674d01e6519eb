#include "maker/project/caption_defaults.h"

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

}  // namespace

std::string CaptionDefaultsPath(const std::string& program_folder) {
    return JoinPath(JoinPath(program_folder, "data"), "param.ini");
}

CaptionDefaults LoadCaptionDefaults(const std::string& program_folder, ProfileStore& store) {
    const std::string path = CaptionDefaultsPath(program_folder);
    CaptionDefaults d;
    d.color = ColorRef(store.ReadInt(path, kSection, "crDefaultCaptionColor", int32_t(d.color)));
    d.position = store.ReadInt(path, kSection, "nDefaultCaptionPos", d.position);
    for (const IntKey& k : kFontInts) d.font.*k.member = store.ReadInt(path, kSection, k.key, d.font.*k.member);
    for (const ByteKey& k : kFontBytes) {
        d.font.*k.member = uint8_t(store.ReadInt(path, kSection, k.key, d.font.*k.member));
    }
    d.font.face_name = store.ReadString(path, kSection, "lfFaceName", d.font.face_name, kFaceNameLimit + 1);
    return d;
}

bool SaveCaptionDefaults(const std::string& program_folder, const LogFont& font, int32_t position, ColorRef color,
                         ProfileStore& store) {
    const std::string path = CaptionDefaultsPath(program_folder);
    bool ok = store.WriteString(path, kSection, "crDefaultCaptionColor", std::to_string(int32_t(color)));
    ok = store.WriteString(path, kSection, "nDefaultCaptionPos", std::to_string(position)) && ok;
    for (const IntKey& k : kFontInts) ok = store.WriteString(path, kSection, k.key, std::to_string(font.*k.member)) && ok;
    for (const ByteKey& k : kFontBytes) {
        ok = store.WriteString(path, kSection, k.key, std::to_string(unsigned(font.*k.member))) && ok;
    }
    return store.WriteString(path, kSection, "lfFaceName", font.face_name) && ok;
}

}  // namespace gd
