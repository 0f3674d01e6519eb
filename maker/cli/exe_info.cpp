#include "maker/cli/exe_info.h"

#include <cstdio>

#include "common/byte_io.h"
#include "common/code_page.h"
#include "common/music_entry.h"
#include "common/resource_types.h"
#include "imaging/cx_image.h"
#include "maker/cli/color_text.h"
#include "maker/cli/json_writer.h"
#include "resources/icon_file.h"

namespace gd::cli {
namespace {

std::string PictureFormat(const std::vector<uint8_t>& b) {
    if (b.size() >= 3 && b[0] == 0xff && b[1] == 0xd8 && b[2] == 0xff) return "JPEG";
    if (b.size() >= 6 && (std::string(b.begin(), b.begin() + 6) == "GIF87a" || std::string(b.begin(), b.begin() + 6) == "GIF89a"))
        return "GIF";
    return "unknown";
}

PictureInfo ReadPicture(uint16_t id, const std::vector<uint8_t>& bytes) {
    PictureInfo p{id, uint32_t(bytes.size()), PictureFormat(bytes)};
    CxImage image;
    if (image.Decode(bytes)) {
        p.width = image.GetWidth();
        p.height = image.GetHeight();
    }
    return p;
}

// The images the group lists, as the group describes them.
void ReadIconGroup(const std::vector<uint8_t>& group, const res::ResourceTable& table, ExeInfo& info) {
    info.has_icon_group = true;
    if (group.size() < res::kIconHeaderSize) return;
    uint16_t count = ReadU16(&group[4]);
    for (uint16_t i = 0; i < count && res::kIconHeaderSize + res::kIconGroupEntrySize * (i + 1u) <= group.size(); ++i) {
        const uint8_t* e = &group[res::kIconHeaderSize + res::kIconGroupEntrySize * i];
        IconImageInfo image;
        image.width = e[0] ? e[0] : 256;
        image.height = e[1] ? e[1] : 256;
        image.bit_count = ReadU16(e + 6);
        image.bytes = ReadU32(e + 8);
        image.id = ReadU16(e + 12);
        image.present = table.Find(res::kTypeIcon, image.id) != nullptr;
        info.icon_images.push_back(image);
    }
}

// The 64 effect flags as 'glimmerdeck show' prints bEffectOn.
std::string EffectFlags(const SaverConfig& c) {
    std::string out;
    for (uint8_t flag : c.effect_on) out += flag ? '1' : '0';
    return out;
}

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

std::string FontText(const LogFont& f) {
    return Quoted(f.face_name) + " lfHeight " + std::to_string(f.height) + " lfWeight " + std::to_string(f.weight) +
           (f.italic ? " italic" : "") + (f.underline ? " underline" : "") + (f.strike_out ? " strike-out" : "") +
           " lfCharSet " + std::to_string(f.char_set);
}

// The configuration's fields in record order, by the names 'glimmerdeck show' gives the
// project fields they come from (fields of the record alone keep names of their own);
// the effect flags and the banner font are listed apart.
struct Field {
    const char* name;
    enum Kind { kText, kNumber, kColor } kind;
    std::string text;
    int64_t number = 0;
};

std::vector<Field> ConfigFields(const SaverConfig& c) {
    auto t = [](const char* name, const std::string& v) { return Field{name, Field::kText, v}; };
    auto n = [](const char* name, int64_t v) { return Field{name, Field::kNumber, {}, v}; };
    auto color = [](const char* name, ColorRef v) { return Field{name, Field::kColor, {}, v}; };
    return {
        t("identifier", c.identifier), n("maker_value", c.maker_value), t("szName", c.name), t("szAuthor", c.author),
        t("szEmail", c.email), t("szHomePage", c.home_page), t("szCopyright", c.copyright),
        t("szDescription", c.description), t("build_time", c.build_time), color("crBgColor", c.bg_color),
        n("bMouseMove", c.mouse_move), n("bMouseLeftClick", c.mouse_left_click),
        n("bMouseRightClick", c.mouse_right_click), n("bKeyboardEvent", c.keyboard_event),
        n("has_music", c.has_music), n("bShuffleAudio", c.shuffle_audio), n("music_count", c.music_count),
        n("nAudioPause", c.audio_pause), n("bMuteMusic", c.mute_music), n("has_pictures", c.has_pictures),
        n("bShufflePic", c.shuffle_pic), n("picture_count", c.picture_count),
        n("bAutoAdjustSize", c.auto_adjust_size), n("bMovePicture", c.move_picture),
        n("nEffectMilliSecond", c.effect_millisecond), n("nPicturePause", c.picture_pause), t("szBanner", c.banner),
        color("crBanner", c.banner_color), n("nBannerPos", c.banner_pos),
    };
}

std::string FieldText(const Field& f) {
    if (f.kind == Field::kText) return Quoted(f.text);
    return f.kind == Field::kColor ? ColorText(ColorRef(f.number)) : std::to_string(f.number);
}

void JsonFont(JsonWriter& j, const LogFont& f) {
    j.BeginObject();
    j.Key("lfHeight").Number(f.height);
    j.Key("lfWidth").Number(f.width);
    j.Key("lfEscapement").Number(f.escapement);
    j.Key("lfOrientation").Number(f.orientation);
    j.Key("lfWeight").Number(f.weight);
    j.Key("lfItalic").Number(f.italic);
    j.Key("lfUnderline").Number(f.underline);
    j.Key("lfStrikeOut").Number(f.strike_out);
    j.Key("lfCharSet").Number(f.char_set);
    j.Key("lfOutPrecision").Number(f.out_precision);
    j.Key("lfClipPrecision").Number(f.clip_precision);
    j.Key("lfQuality").Number(f.quality);
    j.Key("lfPitchAndFamily").Number(f.pitch_and_family);
    j.Key("lfFaceName").String(f.face_name);
    j.EndObject();
}

void JsonConfig(JsonWriter& j, const SaverConfig& c) {
    j.BeginObject();
    for (const auto& f : ConfigFields(c)) {
        j.Key(f.name);
        if (f.kind == Field::kText) j.String(f.text);
        else if (f.kind == Field::kColor) j.String(ColorText(ColorRef(f.number)));
        else j.Number(f.number);
    }
    j.Key("bEffectOn").BeginArray();
    for (uint8_t flag : c.effect_on) j.Number(flag);
    j.EndArray();
    j.Key("lfBanner");
    JsonFont(j, c.banner_font);
    j.EndObject();
}

// The records hold code-page bytes; the report is UTF-8.
void TextsToUtf8(SaverConfig& c) {
    for (std::string* t : {&c.name, &c.author, &c.email, &c.home_page, &c.copyright, &c.description, &c.banner,
                           &c.banner_font.face_name})
        *t = CodePageToUtf8(*t);
}

std::optional<CaptionRecord> CaptionInUtf8(std::optional<CaptionRecord> caption) {
    if (caption) {
        caption->text = CodePageToUtf8(caption->text);
        caption->font.face_name = CodePageToUtf8(caption->font.face_name);
    }
    return caption;
}

}  // namespace

res::Result<ExeInfo> ReadExeInfo(const std::string& path) {
    using R = res::Result<ExeInfo>;
    auto source = res::FileSource::Open(path);
    if (!source) return R::Fail("cannot open " + path);
    auto parsed = res::ParsePeResources(*source);
    if (!parsed) return R::Fail(parsed.error());
    ExeInfo info;
    info.path = path;
    info.pe32_plus = parsed->headers.pe32_plus;
    info.entries = parsed->table.entries;
    for (const auto& e : info.entries) {
        if (e.key.type.is_text || e.key.name.is_text) continue;
        uint16_t type = e.key.type.id, id = e.key.name.id;
        bool ours = type == RT_SAVER_PICTURE || type == RT_SAVER_CAPTION || type == RT_SAVER_MUSIC ||
                    type == RT_SAVER_CONFIG || (type == res::kTypeGroupIcon && id == kSaverIconGroupId);
        if (!ours) continue;
        auto bytes = res::ReadEntryBytes(*source, e);
        if (!bytes) return R::Fail(bytes.error());
        const auto& b = bytes.value();
        if (type == RT_SAVER_PICTURE) {
            info.pictures.push_back(ReadPicture(id, b));
        } else if (type == RT_SAVER_CAPTION) {
            info.captions.push_back({id, uint32_t(b.size()), CaptionInUtf8(DecodeCaptionRecord(b))});
        } else if (type == RT_SAVER_MUSIC) {
            auto entry = DecodeMusicEntry(b);
            info.music.push_back({id, entry ? entry->extension : "", entry ? uint32_t(entry->data.size()) : 0, bool(entry)});
        } else if (type == RT_SAVER_CONFIG && id == kSaverConfigId) {
            info.has_config = true;
            info.config_size = uint32_t(b.size());
            info.config = DecodeSaverConfig(b);
            if (info.config) TextsToUtf8(*info.config);
        } else if (type == res::kTypeGroupIcon && !info.has_icon_group) {
            ReadIconGroup(b, parsed->table, info);
        }
    }
    return info;
}

std::string FormatExeInfoText(const ExeInfo& info) {
    std::string out = info.path + ": " + (info.pe32_plus ? "PE32+" : "PE32") + " executable, " +
                      std::to_string(info.entries.size()) + " resources\n";
    out += "resources (type, name, language, bytes):\n";
    for (const auto& e : info.entries)
        out += "  " + e.key.type.ToString() + " " + e.key.name.ToString() + " " + std::to_string(e.key.language) + " " +
               std::to_string(e.size) + "\n";
    if (!info.has_config) {
        out += "configuration: none\n";
    } else if (!info.config) {
        out += "configuration: " + std::to_string(info.config_size) + " bytes, not a 744-byte record\n";
    } else {
        out += "configuration:\n";
        for (const auto& f : ConfigFields(*info.config)) out += "  " + std::string(f.name) + ": " + FieldText(f) + "\n";
        out += "  bEffectOn: " + EffectFlags(*info.config) + "\n";
        out += "  lfBanner: " + FontText(info.config->banner_font) + "\n";
    }
    out += "pictures: " + std::to_string(info.pictures.size()) + "\n";
    for (const auto& p : info.pictures)
        out += "  " + std::to_string(p.id) + ": " + p.format + " " +
               (p.width ? std::to_string(p.width) + "x" + std::to_string(p.height) : std::string("undecodable")) + ", " +
               std::to_string(p.size) + " bytes\n";
    out += "captions: " + std::to_string(info.captions.size()) + "\n";
    for (const auto& c : info.captions) {
        out += "  " + std::to_string(c.id) + ": ";
        if (!c.record) {
            out += std::to_string(c.size) + " bytes, not a 136-byte record\n";
            continue;
        }
        out += "szCaption " + Quoted(c.record->text) + " nCaptionPos " + std::to_string(c.record->position) +
               " crCaptionColor " + ColorText(c.record->color) + " lfCaptionFont " + FontText(c.record->font) + "\n";
    }
    out += "music: " + std::to_string(info.music.size()) + "\n";
    for (const auto& m : info.music)
        out += "  " + std::to_string(m.id) + ": " +
               (m.valid ? Quoted(m.extension) + ", " + std::to_string(m.data_size) + " bytes" : std::string("shorter than its tag")) + "\n";
    if (!info.has_icon_group) {
        out += "icon group 128: none\n";
    } else {
        out += "icon group 128: " + std::to_string(info.icon_images.size()) + " images\n";
        for (const auto& i : info.icon_images)
            out += "  " + std::to_string(i.id) + ": " + std::to_string(i.width) + "x" + std::to_string(i.height) + ", " +
                   std::to_string(i.bit_count) + " bits, " + std::to_string(i.bytes) + " bytes" +
                   (i.present ? "" : ", image missing") + "\n";
    }
    return out;
}

std::string FormatExeInfoJson(const ExeInfo& info) {
    JsonWriter j;
    j.BeginObject();
    j.Key("path").String(info.path);
    j.Key("format").String(info.pe32_plus ? "PE32+" : "PE32");
    j.Key("resources").BeginArray();
    for (const auto& e : info.entries) {
        j.BeginObject();
        auto name = [&](const char* key, const res::ResourceName& n) {
            j.Key(key);
            if (n.is_text) j.String(n.ToString());
            else j.Number(n.id);
        };
        name("type", e.key.type);
        name("name", e.key.name);
        j.Key("language").Number(e.key.language);
        j.Key("size").Number(e.size);
        j.EndObject();
    }
    j.EndArray();
    j.Key("configuration");
    if (info.config) JsonConfig(j, *info.config);
    else j.Null();
    j.Key("pictures").BeginArray();
    for (const auto& p : info.pictures) {
        j.BeginObject();
        j.Key("id").Number(p.id);
        j.Key("format").String(p.format);
        j.Key("width").Number(p.width);
        j.Key("height").Number(p.height);
        j.Key("size").Number(p.size);
        j.EndObject();
    }
    j.EndArray();
    j.Key("captions").BeginArray();
    for (const auto& c : info.captions) {
        j.BeginObject();
        j.Key("id").Number(c.id);
        j.Key("size").Number(c.size);
        if (c.record) {
            j.Key("szCaption").String(c.record->text);
            j.Key("nCaptionPos").Number(c.record->position);
            j.Key("crCaptionColor").String(ColorText(c.record->color));
            j.Key("lfCaptionFont");
            JsonFont(j, c.record->font);
        }
        j.EndObject();
    }
    j.EndArray();
    j.Key("music").BeginArray();
    for (const auto& m : info.music) {
        j.BeginObject();
        j.Key("id").Number(m.id);
        j.Key("extension").String(m.extension);
        j.Key("size").Number(m.data_size);
        j.Key("valid").Bool(m.valid);
        j.EndObject();
    }
    j.EndArray();
    j.Key("icon_group");
    if (!info.has_icon_group) {
        j.Null();
    } else {
        j.BeginArray();
        for (const auto& i : info.icon_images) {
            j.BeginObject();
            j.Key("id").Number(i.id);
            j.Key("width").Number(i.width);
            j.Key("height").Number(i.height);
            j.Key("bit_count").Number(i.bit_count);
            j.Key("bytes").Number(i.bytes);
            j.Key("present").Bool(i.present);
            j.EndObject();
        }
        j.EndArray();
    }
    j.EndObject();
    return j.Take() + "\n";
}

}  // namespace gd::cli
