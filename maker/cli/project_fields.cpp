#include "maker/cli/project_fields.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <limits>
#include <optional>

#include "maker/cli/color_text.h"
#include "maker/cli/json_writer.h"
#include "maker/project/payload_text.h"
#include "maker/project/project_options.h"
#include "maker/project/validate_for_make.h"

namespace gd::cli {

namespace {

constexpr int64_t kI32Min = std::numeric_limits<int32_t>::min();
constexpr int64_t kI32Max = std::numeric_limits<int32_t>::max();

ProjectField Field(std::string group, std::string member, FieldKind kind, void* value, int64_t min = 0,
                   int64_t max = 0) {
    ProjectField f;
    f.group = std::move(group);
    f.member = std::move(member);
    f.kind = kind;
    f.value = value;
    f.min = min;
    f.max = max;
    return f;
}

ProjectField Text(std::string group, std::string member, std::string& v, size_t limit = 0) {
    return Field(std::move(group), std::move(member), FieldKind::kText, &v, 0, int64_t(limit));
}
ProjectField Flag(std::string member, int32_t& v) { return Field("", std::move(member), FieldKind::kFlag, &v, 0, 1); }
ProjectField Int(std::string group, std::string member, int32_t& v, int64_t min, int64_t max) {
    return Field(std::move(group), std::move(member), FieldKind::kInt, &v, min, max);
}
ProjectField Color(std::string group, std::string member, ColorRef& v) {
    return Field(std::move(group), std::move(member), FieldKind::kColor, &v, 0, 0xFFFFFF);
}
ProjectField CaptionPos(std::string group, std::string member, int32_t& v) {
    return Field(std::move(group), std::move(member), FieldKind::kCaptionPos, &v, 0, 8);
}
ProjectField Byte(std::string group, std::string member, uint8_t& v) {
    return Field(std::move(group), std::move(member), FieldKind::kByte, &v, 0, 255);
}
ProjectField Fixed(ProjectField field, std::string reason) {
    field.settable = false;
    field.not_settable_reason = std::move(reason);
    return field;
}

void AddFont(std::vector<ProjectField>& out, const std::string& group, LogFont& f) {
    out.push_back(Int(group, "lfHeight", f.height, kI32Min, kI32Max));
    out.push_back(Int(group, "lfWidth", f.width, kI32Min, kI32Max));
    out.push_back(Int(group, "lfEscapement", f.escapement, kI32Min, kI32Max));
    out.push_back(Int(group, "lfOrientation", f.orientation, kI32Min, kI32Max));
    out.push_back(Int(group, "lfWeight", f.weight, 0, 1000));
    out.push_back(Byte(group, "lfItalic", f.italic));
    out.push_back(Byte(group, "lfUnderline", f.underline));
    out.push_back(Byte(group, "lfStrikeOut", f.strike_out));
    out.push_back(Byte(group, "lfCharSet", f.char_set));
    out.push_back(Byte(group, "lfOutPrecision", f.out_precision));
    out.push_back(Byte(group, "lfClipPrecision", f.clip_precision));
    out.push_back(Byte(group, "lfQuality", f.quality));
    out.push_back(Byte(group, "lfPitchAndFamily", f.pitch_and_family));
    out.push_back(Text(group, "lfFaceName", f.face_name, kFaceNameLimit));
}

std::string EffectsText(const std::array<uint8_t, kProjectEffectFlags>& flags) {
    std::string text;
    for (uint8_t f : flags) text += std::to_string(f);
    return text;
}

// The number of a position's name: caption positions 0..8 from "top-left" to
// "bottom-right" (centre or center, blanks, hyphens or underscores between, any case),
// banner positions "top" and "bottom" (also "top-center", "bottom-center").
std::optional<int64_t> PositionByName(std::string text, bool banner) {
    for (char& c : text) c = c == ' ' || c == '_' ? '-' : char(std::tolower(static_cast<unsigned char>(c)));
    if (size_t at = text.find("centre"); at != std::string::npos) text.replace(at, 6, "center");
    if (banner) {
        if (text == "top" || text == "top-center") return 0;
        if (text == "bottom" || text == "bottom-center") return 1;
        return std::nullopt;
    }
    static const char* const kNames[] = {"top-left",    "top-center",    "top-right",   "middle-left", "middle-center",
                                         "middle-right", "bottom-left", "bottom-center", "bottom-right"};
    for (int64_t i = 0; i < 9; ++i)
        if (text == kNames[i]) return i;
    return std::nullopt;
}

// "#RRGGBB" as a stored colour 0x00BBGGRR.
std::optional<int64_t> ColorFromHash(const std::string& text) {
    if (text.size() != 7 || text[0] != '#' || text.find_first_not_of("0123456789abcdefABCDEF", 1) != std::string::npos)
        return std::nullopt;
    uint32_t rgb = uint32_t(std::strtoul(text.c_str() + 1, nullptr, 16));
    return int64_t(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
}

// A whole decimal number, or hexadecimal after "0x"; false for anything else.
bool ParseInteger(const std::string& text, int64_t& value) {
    if (text.empty()) return false;
    bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const char* begin = text.c_str() + (hex ? 2 : 0);
    if (*begin == ' ' || *begin == '+' || (hex && *begin == '-')) return false;
    char* end = nullptr;
    errno = 0;
    long long v = std::strtoll(begin, &end, hex ? 16 : 10);
    if (errno != 0 || end == begin || *end != '\0') return false;
    value = v;
    return true;
}

std::string RangeText(const ProjectField& f) {
    if (f.kind == FieldKind::kFlag) return "0 or 1";
    if (f.kind == FieldKind::kColor) return "a colour #RRGGBB, or 0xBBGGRR (red in the low byte)";
    if (f.kind == FieldKind::kCaptionPos)
        return "a position 0..8 or top-left, top-center, top-right, middle-left, middle-center, middle-right, "
               "bottom-left, bottom-center, bottom-right";
    if (f.kind == FieldKind::kBannerPos) return "a position 0, 1, top or bottom";
    return "an integer from " + std::to_string(f.min) + " to " + std::to_string(f.max);
}

std::string SetEffects(std::array<uint8_t, kProjectEffectFlags>& flags, const std::string& value) {
    if (value.size() != flags.size() || value.find_first_not_of("01") != std::string::npos)
        return "bEffectOn takes 64 characters 0 or 1 (one per effect identifier 0..63)";
    for (size_t i = 0; i < flags.size(); ++i) flags[i] = uint8_t(value[i] - '0');
    return {};
}

std::string SetOneEffect(std::array<uint8_t, kProjectEffectFlags>& flags, const std::string& index_text,
                         const std::string& value) {
    int64_t index = 0;
    if (!ParseInteger(index_text, index) || index < 0 || index >= int64_t(flags.size()))
        return "bEffectOn[N]: N must be an effect identifier from 0 to 63";
    if (value != "0" && value != "1") return "bEffectOn[" + index_text + "] must be 0 or 1";
    flags[size_t(index)] = uint8_t(value[0] - '0');
    return {};
}

std::string SetField(const ProjectField& f, const std::string& value) {
    const std::string name = f.name();
    if (!f.settable) return name + " cannot be set: " + f.not_settable_reason;
    switch (f.kind) {
    case FieldKind::kText: {
        // A text with a limit goes into the screensaver's records: at most that many
        // characters as the user sees them.
        if (f.max > 0)
            if (auto reason = CheckRecordText(value, size_t(f.max))) return name + ": " + *reason;
        if (name == "szName")
            if (std::string problem = NameProblem(value); !problem.empty()) return problem;
        *static_cast<std::string*>(f.value) = value;
        return {};
    }
    case FieldKind::kEffects: return SetEffects(*static_cast<std::array<uint8_t, kProjectEffectFlags>*>(f.value), value);
    default: break;
    }
    int64_t v = 0;
    std::optional<int64_t> named;
    if (f.kind == FieldKind::kColor) named = ColorFromHash(value);
    if (f.kind == FieldKind::kCaptionPos) named = PositionByName(value, false);
    if (f.kind == FieldKind::kBannerPos) named = PositionByName(value, true);
    if (named) v = *named;
    else if (!ParseInteger(value, v) || v < f.min || v > f.max)
        return "bad value '" + value + "' for " + name + ": expected " + RangeText(f);
    switch (f.kind) {
    case FieldKind::kByte: *static_cast<uint8_t*>(f.value) = uint8_t(v); break;
    case FieldKind::kColor: *static_cast<ColorRef*>(f.value) = ColorRef(v); break;
    default: *static_cast<int32_t*>(f.value) = int32_t(v); break;
    }
    return {};
}

void WriteFieldJson(JsonWriter& json, const ProjectField& f) {
    switch (f.kind) {
    case FieldKind::kText: json.String(*static_cast<const std::string*>(f.value)); return;
    case FieldKind::kEffects:
        json.BeginArray();
        for (uint8_t b : *static_cast<const std::array<uint8_t, kProjectEffectFlags>*>(f.value)) json.Number(b);
        json.EndArray();
        return;
    case FieldKind::kColor: json.String(ColorText(*static_cast<const ColorRef*>(f.value))); return;
    case FieldKind::kByte: json.Number(*static_cast<const uint8_t*>(f.value)); return;
    default: json.Number(*static_cast<const int32_t*>(f.value)); return;
    }
}

// The fields as members of the open object; consecutive fields of one group become a
// nested object.
void WriteFieldsJson(JsonWriter& json, const std::vector<ProjectField>& fields) {
    std::string open_group;
    for (const auto& f : fields) {
        if (f.group != open_group) {
            if (!open_group.empty()) json.EndObject();
            if (!f.group.empty()) json.Key(f.group).BeginObject();
            open_group = f.group;
        }
        json.Key(f.member);
        WriteFieldJson(json, f);
    }
    if (!open_group.empty()) json.EndObject();
}

// One option of the project, as its row in the options table describes it.
void AddOption(std::vector<ProjectField>& out, CParamData& p, const ProjectOption& o) {
    const OptionRow& row = Option(o.id);
    const std::string key(row.key);
    switch (row.kind) {
    case OptionKind::kFlag: out.push_back(Flag(key, MemberOf<int32_t>(p, o.member))); break;
    case OptionKind::kNumber: out.push_back(Int("", key, MemberOf<int32_t>(p, o.member), row.min, row.max)); break;
    case OptionKind::kPosition:
        // The banner's position also reads "top" and "bottom"; other lists their index.
        out.push_back(Field("", key, o.id == OptionId::kBannerPos ? FieldKind::kBannerPos : FieldKind::kInt,
                            &MemberOf<int32_t>(p, o.member), row.min, row.max));
        break;
    case OptionKind::kColor: out.push_back(Color("", key, MemberOf<ColorRef>(p, o.member))); break;
    case OptionKind::kText: out.push_back(Text("", key, MemberOf<std::string>(p, o.member), size_t(row.max))); break;
    case OptionKind::kFont: AddFont(out, key, MemberOf<LogFont>(p, o.member)); break;
    case OptionKind::kEffectFlags:
        out.push_back(Field("", key, FieldKind::kEffects, &MemberOf<EffectFlags>(p, o.member)));
        break;
    }
}

// Fields listed apart, ordered as the project declares its members: the members of one
// class (and of the records within it) lie at increasing addresses in declaration order.
void SortIntoDeclarationOrder(std::vector<ProjectField>& fields) {
    std::stable_sort(fields.begin(), fields.end(), [](const ProjectField& a, const ProjectField& b) {
        return std::less<const void*>()(a.value, b.value);
    });
}

std::vector<ProjectField> PictureMembers(CPictureData& picture) {
    std::vector<ProjectField> out;
    out.push_back(Text("", "szFile", picture.szFile));
    out.push_back(Text("", "szCaption", picture.szCaption, kMaxCaption));
    AddFont(out, "lfCaptionFont", picture.lfCaptionFont);
    out.push_back(Color("", "crCaptionColor", picture.crCaptionColor));
    out.push_back(CaptionPos("", "nCaptionPos", picture.nCaptionPos));
    return out;
}

}  // namespace

std::vector<ProjectField> ParamFields(CParamData& p) {
    std::vector<ProjectField> out;
    out.push_back(Text("", "szName", p.szName, kMaxName));
    out.push_back(Text("", "szAuthor", p.szAuthor, kMaxAuthor));
    out.push_back(Text("", "szEmail", p.szEmail, kMaxEmail));
    out.push_back(Text("", "szHomePage", p.szHomePage, kMaxHomePage));
    out.push_back(Text("", "szCopyright", p.szCopyright, kMaxCopyright));
    out.push_back(Text("", "szDescription", p.szDescription, kMaxDescription));
    out.push_back(Text("", "szIconFile", p.szIconFile));
    out.push_back(Flag("bSelfInstall", p.bSelfInstall));
    out.push_back(Text("", "szOutputFolder", p.szOutputFolder));
    for (const ProjectOption& o : kProjectOptions) AddOption(out, p, o);
    const std::string kept = "reserved fields are kept as the file holds them";
    ReservedFields& r = p.reserved;
    out.push_back(Fixed(Int("reserved", "n1", r.n1, kI32Min, kI32Max), kept));
    out.push_back(Fixed(Text("reserved", "sz1", r.sz1), kept));
    for (size_t i = 0; i < r.n2.size(); ++i)
        out.push_back(Fixed(Int("reserved", "n2_" + std::to_string(i), r.n2[i], kI32Min, kI32Max), kept));
    out.push_back(Fixed(Text("reserved", "sz2", r.sz2), kept));
    for (size_t i = 0; i < r.n3.size(); ++i)
        out.push_back(Fixed(Int("reserved", "n3_" + std::to_string(i), r.n3[i], kI32Min, kI32Max), kept));
    out.push_back(Fixed(Text("reserved", "sz3", r.sz3), kept));
    out.push_back(Fixed(Text("reserved", "sz4", r.sz4), kept));
    out.push_back(Fixed(Field("reserved", "bytes", FieldKind::kEffects, &r.bytes), kept));
    SortIntoDeclarationOrder(out);
    return out;
}

std::vector<ProjectField> PictureFields(CPictureData& picture, size_t index) {
    std::vector<ProjectField> out = PictureMembers(picture);
    const std::string prefix = "pictureList[" + std::to_string(index) + "]";
    for (auto& f : out) f.group = f.group.empty() ? prefix : prefix + "." + f.group;
    return out;
}

std::string FieldText(const ProjectField& f) {
    switch (f.kind) {
    case FieldKind::kText: return *static_cast<const std::string*>(f.value);
    case FieldKind::kEffects: return EffectsText(*static_cast<const std::array<uint8_t, kProjectEffectFlags>*>(f.value));
    case FieldKind::kByte: return std::to_string(*static_cast<const uint8_t*>(f.value));
    case FieldKind::kColor: return ColorText(*static_cast<const ColorRef*>(f.value));
    default: return std::to_string(*static_cast<const int32_t*>(f.value));
    }
}

std::string SetProjectField(CParamData& project, const std::string& key, const std::string& value) {
    if (key.rfind("bEffectOn[", 0) == 0 && key.back() == ']') {
        std::string problem = SetOneEffect(project.bEffectOn, key.substr(10, key.size() - 11), value);
        // Turning on an effect the flags did not yet speak for is a clear wish for it.
        int64_t id = 0;
        if (problem.empty() && value == "1" && ParseInteger(key.substr(10, key.size() - 11), id) &&
            id <= kKnownEffects && !ProjectEffectOn(project, int32_t(id)))
            SetProjectEffectOn(project, int32_t(id), true);
        return problem;
    }
    if (key.rfind("pictureList[*].", 0) == 0) {
        // One field of every picture: each must take the value, or none changes. Without
        // pictures the value is still checked.
        if (project.pictureList.empty()) {
            CParamData scratch;
            scratch.pictureList.emplace_back();
            return SetProjectField(scratch, "pictureList[0]." + key.substr(15), value);
        }
        std::vector<CPictureData> changed = project.pictureList;
        for (size_t i = 0; i < changed.size(); ++i)
            if (std::string problem = SetProjectField(project, "pictureList[" + std::to_string(i) + "]." + key.substr(15), value);
                !problem.empty()) {
                project.pictureList.swap(changed);
                return problem;
            }
        return {};
    }
    if (key.rfind("musicList[", 0) == 0 && key.back() == ']') {
        int64_t index = 0;
        if (!ParseInteger(key.substr(10, key.size() - 11), index) || index < 0 || index >= int64_t(project.musicList.size()))
            return "no " + key + " (the project has " + std::to_string(project.musicList.size()) + " music files)";
        project.musicList[size_t(index)] = value;
        return {};
    }
    if (key.rfind("pictureList[", 0) == 0) {
        size_t close = key.find(']');
        int64_t index = 0;
        if (close == std::string::npos || !ParseInteger(key.substr(12, close - 12), index) || index < 0 ||
            index >= int64_t(project.pictureList.size()))
            return "no picture " + key.substr(0, close == std::string::npos ? key.size() : close + 1) +
                   " (the project has " + std::to_string(project.pictureList.size()) + ")";
        for (const auto& f : PictureFields(project.pictureList[size_t(index)], size_t(index)))
            if (f.name() == key) return SetField(f, value);
        return "unknown key '" + key + "'";
    }
    if (key == "pictureList" || key == "musicList")
        return key + " cannot be set: pictures and music are added with 'glimmerdeck add' and removed with "
                     "'glimmerdeck remove'";
    for (const auto& f : ParamFields(project))
        if (f.name() == key) return SetField(f, value);
    return "unknown key '" + key + "' (see 'glimmerdeck show' for the names)";
}

std::string ProjectAsText(CParamData& project) {
    std::string out;
    auto add = [&](const ProjectField& f) { out += (f.settable ? "" : "# ") + f.name() + "=" + FieldText(f) + "\n"; };
    out += "# pictureList.count=" + std::to_string(project.pictureList.size()) + "\n";
    for (size_t i = 0; i < project.pictureList.size(); ++i)
        for (const auto& f : PictureFields(project.pictureList[i], i)) add(f);
    out += "# musicList.count=" + std::to_string(project.musicList.size()) + "\n";
    for (size_t i = 0; i < project.musicList.size(); ++i)
        out += "musicList[" + std::to_string(i) + "]=" + project.musicList[i] + "\n";
    for (const auto& f : ParamFields(project)) add(f);
    return out;
}

std::string ProjectAsJson(CParamData& project) {
    JsonWriter json;
    json.BeginObject().Key("pictureList").BeginArray();
    for (auto& picture : project.pictureList) {
        json.BeginObject();
        WriteFieldsJson(json, PictureMembers(picture));
        json.EndObject();
    }
    json.EndArray().Key("musicList").BeginArray();
    for (const auto& music : project.musicList) json.String(music);
    json.EndArray();
    WriteFieldsJson(json, ParamFields(project));
    json.EndObject();
    return json.Take() + "\n";
}

}  // namespace gd::cli
