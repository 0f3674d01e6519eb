#include "maker/cli/exe_info.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>

#include "common/byte_io.h"
#include "common/caption_texts.h"
#include "common/code_page.h"
#include "common/music_entry.h"
#include "common/resource_types.h"
#include "common/saver_extras.h"
#include "common/show_options.h"
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

// The 64 effect flags as 'glimmerdeck show' prints them.
std::string EffectFlagsText(const EffectFlags& flags) {
    std::string out;
    for (uint8_t flag : flags) out += flag ? '1' : '0';
    return out;
}

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

std::string FontText(const LogFont& f) {
    return Quoted(f.face_name) + " lfHeight " + std::to_string(f.height) + " lfWeight " + std::to_string(f.weight) +
           (f.italic ? " italic" : "") + (f.underline ? " underline" : "") + (f.strike_out ? " strike-out" : "") +
           " lfCharSet " + std::to_string(f.char_set);
}

// The configuration's fields in record order, by the names 'glimmerdeck show' gives the
// project fields they come from (the options table's keys; fields of the record alone
// keep names of their own); the effect flags and the banner font are listed apart.
struct Field {
    std::string name;
    enum Kind { kText, kNumber, kColor } kind;
    std::string text;
    int64_t number = 0;
    const void* at = nullptr;  // the member of the record: its place in record order
};

Field TextField(std::string name, const std::string& v) { return {std::move(name), Field::kText, v, 0, &v}; }
Field NumberField(std::string name, const int32_t& v) { return {std::move(name), Field::kNumber, {}, v, &v}; }

std::optional<Field> OptionField(const SaverConfig& c, const OptionRow& row) {
    if (row.homes == kMakerOnly) return std::nullopt;  // no screensaver carries it
    const std::string name(row.key);
    switch (row.kind) {
    case OptionKind::kText: return TextField(name, MemberOf<std::string>(c, row.field));
    case OptionKind::kColor: {
        const ColorRef& v = MemberOf<ColorRef>(c, row.field);
        return Field{name, Field::kColor, {}, v, &v};
    }
    case OptionKind::kFont:
    case OptionKind::kEffectFlags: return std::nullopt;
    default: return NumberField(name, MemberOf<int32_t>(c, row.field));
    }
}

std::vector<Field> ConfigFields(const SaverConfig& c) {
    std::vector<Field> fields = {
        TextField("identifier", c.identifier),   NumberField("maker_value", c.maker_value),
        TextField("szName", c.name),             TextField("szAuthor", c.author),
        TextField("szEmail", c.email),           TextField("szHomePage", c.home_page),
        TextField("szCopyright", c.copyright),   TextField("szDescription", c.description),
        TextField("build_time", c.build_time),   NumberField("has_music", c.has_music),
        NumberField("music_count", c.music_count), NumberField("has_pictures", c.has_pictures),
        NumberField("picture_count", c.picture_count),
    };
    for (const OptionRow& row : kOptions)
        if (auto field = OptionField(c, row)) fields.push_back(std::move(*field));
    // The record declares its members in the record's order, and members lie at
    // increasing addresses in declaration order.
    std::stable_sort(fields.begin(), fields.end(),
                     [](const Field& a, const Field& b) { return std::less<const void*>()(a.at, b.at); });
    return fields;
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
    for (const OptionRow& row : kOptions) {
        if (row.kind == OptionKind::kEffectFlags) {
            j.Key(row.key).BeginArray();
            for (uint8_t flag : MemberOf<EffectFlags>(c, row.field)) j.Number(flag);
            j.EndArray();
        } else if (row.kind == OptionKind::kFont) {
            j.Key(row.key);
            JsonFont(j, MemberOf<LogFont>(c, row.field));
        }
    }
    j.EndObject();
}

// The records hold code-page bytes; the report is UTF-8.
void TextsToUtf8(SaverConfig& c) {
    for (std::string* t : {&c.name, &c.author, &c.email, &c.home_page, &c.copyright, &c.description})
        *t = CodePageToUtf8(*t);
    for (const OptionRow& row : kOptions) {
        if (row.kind == OptionKind::kText) {
            std::string& text = MemberOf<std::string>(c, row.field);
            text = CodePageToUtf8(text);
        } else if (row.kind == OptionKind::kFont) {
            LogFont& font = MemberOf<LogFont>(c, row.field);
            font.face_name = CodePageToUtf8(font.face_name);
        }
    }
}

// The show extras' entries: an option of the table by its kind, any other entry by its
// type.
std::string EntryText(const KeyedEntry& e) {
    if (auto text = Text16Value(e)) {
        for (const SaverTextKey& k : kSaverTextKeys)
            if (k.key == e.key) return Quoted(*text);
        return Quoted(*text) + " (not known to this version)";
    }
    const OptionRow* row = FindOption(e.key);
    auto value = Int32Value(e);
    if (row && (row->homes & kInShowExtras) && value)
        return row->kind == OptionKind::kColor ? ColorText(ColorRef(*value)) : std::to_string(*value);
    if (value) return "int32 " + std::to_string(*value) + " (not known to this version)";
    return "type " + std::to_string(e.type) + ", " + std::to_string(e.value.size()) +
           " bytes (not known to this version)";
}

std::optional<CaptionRecord> CaptionInUtf8(std::optional<CaptionRecord> caption) {
    if (caption) {
        caption->text = CodePageToUtf8(caption->text);
        caption->font.face_name = CodePageToUtf8(caption->font.face_name);
    }
    return caption;
}

// The caption records as read (narrow) and their text records, by picture id, so the
// texts are laid over the records as the runtime does before the report turns to UTF-8.
struct CaptionBytes {
    std::map<uint16_t, std::vector<uint8_t>> records, texts;
};

void ReadCaptions(const CaptionBytes& bytes, ExeInfo& info) {
    for (const auto& [id, record] : bytes.records) {
        CaptionInfo caption{id, uint32_t(record.size()), DecodeCaptionRecord(record)};
        auto texts = bytes.texts.find(id);
        if (texts != bytes.texts.end()) {
            caption.has_texts = true;
            caption.texts_size = uint32_t(texts->second.size());
            if (caption.record) ApplyCaptionTexts(texts->second, *caption.record);
        }
        std::optional<CaptionTexts> unicode = caption.record ? caption.record->texts : std::nullopt;
        caption.record = CaptionInUtf8(caption.record);
        if (caption.record) caption.record->texts = unicode;
        info.captions.push_back(std::move(caption));
    }
}

// The Unicode texts of the screensaver as its runtime reads them: the extras laid over the
// 744-byte record.
std::optional<SaverTexts> UnicodeTexts(const std::vector<uint8_t>& config, const std::vector<uint8_t>& extras) {
    std::optional<SaverConfig> record = DecodeSaverConfig(config);
    if (!record || !ApplySaverExtras(extras, *record)) return std::nullopt;
    return record->texts;
}

}  // namespace

res::Result<ExeInfo> ReadExeInfo(const std::string& path) {
    using R = res::Result<ExeInfo>;
    auto source = res::FileSource::Open(path);
    if (!source) return R::Fail("cannot open " + path);
    auto parsed = res::ParsePeResources(*source);
    if (!parsed) return R::Fail(parsed.error());
    ExeInfo info;
    CaptionBytes captions;
    std::vector<uint8_t> config_bytes, extras_bytes;
    info.path = path;
    info.pe32_plus = parsed->headers.pe32_plus;
    info.entries = parsed->table.entries;
    for (const auto& e : info.entries) {
        if (e.key.type.is_text || e.key.name.is_text) continue;
        uint16_t type = e.key.type.id, id = e.key.name.id;
        bool ours = type == RT_SAVER_PICTURE || type == RT_SAVER_CAPTION || type == RT_SAVER_CAPTION_TEXTS ||
                    type == RT_SAVER_MUSIC || type == RT_SAVER_CONFIG || type == RT_SAVER_EXTRAS ||
                    (type == res::kTypeGroupIcon && id == kSaverIconGroupId);
        if (!ours) continue;
        auto bytes = res::ReadEntryBytes(*source, e);
        if (!bytes) return R::Fail(bytes.error());
        const auto& b = bytes.value();
        if (type == RT_SAVER_PICTURE) {
            info.pictures.push_back(ReadPicture(id, b));
        } else if (type == RT_SAVER_CAPTION) {
            captions.records[id] = b;
        } else if (type == RT_SAVER_CAPTION_TEXTS) {
            captions.texts[id] = b;
        } else if (type == RT_SAVER_MUSIC) {
            auto entry = DecodeMusicEntry(b);
            info.music.push_back({id, entry ? entry->extension : "", entry ? uint32_t(entry->data.size()) : 0, bool(entry)});
        } else if (type == RT_SAVER_EXTRAS && id == kSaverExtrasId) {
            info.has_extras = true;
            info.extras_size = uint32_t(b.size());
            info.extras = DecodeKeyedRecord(kSaverExtrasMagic, b);
            extras_bytes = b;
        } else if (type == RT_SAVER_CONFIG && id == kSaverConfigId) {
            info.has_config = true;
            info.config_size = uint32_t(b.size());
            info.config = DecodeSaverConfig(b);
            config_bytes = b;
            if (info.config) TextsToUtf8(*info.config);
        } else if (type == res::kTypeGroupIcon && !info.has_icon_group) {
            ReadIconGroup(b, parsed->table, info);
        }
    }
    ReadCaptions(captions, info);
    if (info.config && info.extras) info.texts = UnicodeTexts(config_bytes, extras_bytes);
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
        for (const OptionRow& row : kOptions) {
            const std::string key(row.key);
            if (row.kind == OptionKind::kEffectFlags)
                out += "  " + key + ": " + EffectFlagsText(MemberOf<EffectFlags>(*info.config, row.field)) + "\n";
            if (row.kind == OptionKind::kFont)
                out += "  " + key + ": " + FontText(MemberOf<LogFont>(*info.config, row.field)) + "\n";
        }
    }
    if (!info.has_extras) {
        out += "show extras: none\n";
    } else if (!info.extras) {
        out += "show extras: " + std::to_string(info.extras_size) + " bytes, damaged (the screensaver ignores it)\n";
    } else {
        out += "show extras: " + std::to_string(info.extras_size) + " bytes\n";
        for (const KeyedEntry& e : info.extras->entries) out += "  " + e.key + ": " + EntryText(e) + "\n";
    }
    if (!info.texts) {
        out += "texts in Unicode: none (the configuration's texts are shown as ANSI text)\n";
    } else {
        out += "texts in Unicode:\n";
        for (const SaverTextKey& k : kSaverTextKeys)
            out += "  " + std::string(k.key) + ": " + Quoted((*info.texts).*k.member) + "\n";
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
        if (c.record->texts)
            out += "     in Unicode: szCaption " + Quoted(c.record->texts->text) + " lfFaceName " +
                   Quoted(c.record->texts->face_name) + "\n";
        else if (c.has_texts)
            out += "     in Unicode: " + std::to_string(c.texts_size) + " bytes, damaged (the record's text is drawn)\n";
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
    j.Key("show_extras");
    if (!info.has_extras) {
        j.Null();
    } else {
        j.BeginObject();
        j.Key("size").Number(info.extras_size);
        j.Key("valid").Bool(info.extras.has_value());
        j.Key("entries").BeginObject();
        if (info.extras)
            for (const KeyedEntry& e : info.extras->entries) {
                j.Key(e.key);
                if (auto value = Int32Value(e)) j.Number(*value);
                else if (auto text = Text16Value(e)) j.String(*text);
                else j.String(EntryText(e));
            }
        j.EndObject();
        j.EndObject();
    }
    j.Key("texts");
    if (!info.texts) {
        j.Null();
    } else {
        j.BeginObject();
        for (const SaverTextKey& k : kSaverTextKeys) j.Key(k.key).String((*info.texts).*k.member);
        j.EndObject();
    }
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
            j.Key("texts");
            if (c.record->texts) {
                j.BeginObject();
                j.Key("szCaption").String(c.record->texts->text);
                j.Key("lfFaceName").String(c.record->texts->face_name);
                j.EndObject();
            } else {
                j.Null();
            }
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
