// Makes a test screensaver: copies the runtime template and writes a payload into it
// with the resource editor: pictures, captions, a banner, generated WAV tones and the
// configuration record. Then it may damage the made file as a bad download or a disk
// error would: each --resize rewrites one entry cut short (or padded with zeros) to SIZE
// bytes, one entry at a time, as a separate edit of the finished file.
//
//   saver_fixture --template T --out O [--id ID] [--set NAME=VALUE]... [--picture FILE]...
//                 [--caption PICTURE:POSITION:RRGGBB:HEIGHT:TEXT]... [--banner TEXT]
//                 [--banner-style RRGGBB:HEIGHT:POSITION] [--tone SECONDS[:TAG]]...
//                 [--no-config] [--resize KIND:ID:SIZE]...
//
// --set picture_count=N and music_count=N replace the counts of the entries written;
// KIND is picture, music, caption, config or a resource type number.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/caption_record.h"
#include "common/music_entry.h"
#include "common/resource_types.h"
#include "common/saver_config.h"
#include "resources/resource_editor.h"
#include "resources/resource_table.h"
#include "resources/write_resource.h"
#include "tests/win32/wave_tone.h"

namespace {

std::vector<uint8_t> ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

gd::ColorRef ColorFromHex(const std::string& rrggbb) {
    unsigned long v = std::strtoul(rrggbb.c_str(), nullptr, 16);
    return gd::MakeColorRef(uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v));
}

std::vector<std::string> Split(const std::string& text, char sep, size_t parts) {
    std::vector<std::string> out;
    size_t at = 0;
    while (out.size() + 1 < parts) {
        size_t next = text.find(sep, at);
        if (next == std::string::npos) break;
        out.push_back(text.substr(at, next - at));
        at = next + 1;
    }
    out.push_back(text.substr(at));
    return out;
}

gd::LogFont Font(int height) {
    gd::LogFont f;
    f.height = -height;
    f.weight = 700;
    f.face_name = "Arial";
    return f;
}

// Counts that replace those of the entries written, as a damaged record would hold.
struct CountOverrides {
    std::optional<int32_t> pictures, music;
};

// One entry to rewrite at another size once the screensaver is made.
struct Resize {
    uint16_t type = 0;
    uint16_t id = 0;
    size_t size = 0;
};

std::optional<uint16_t> EntryType(const std::string& kind) {
    const std::map<std::string, uint16_t> kinds{{"picture", gd::RT_SAVER_PICTURE},
                                                {"music", gd::RT_SAVER_MUSIC},
                                                {"caption", gd::RT_SAVER_CAPTION},
                                                {"config", gd::RT_SAVER_CONFIG}};
    if (auto it = kinds.find(kind); it != kinds.end()) return it->second;
    char* end = nullptr;
    unsigned long v = std::strtoul(kind.c_str(), &end, 10);
    if (kind.empty() || *end || v > 0xFFFF) return std::nullopt;
    return uint16_t(v);
}

std::optional<Resize> ParseResize(const std::string& value) {
    auto p = Split(value, ':', 3);
    if (p.size() != 3) return std::nullopt;
    auto type = EntryType(p[0]);
    if (!type) return std::nullopt;
    return Resize{*type, uint16_t(std::atoi(p[1].c_str())), size_t(std::strtoull(p[2].c_str(), nullptr, 10))};
}

// Rewrites the entry at its new size with the single-entry writer: an entry whose bytes
// were cut or lost, in a file whose resource table still reads.
bool ApplyResize(const std::string& path, const Resize& r, std::string& error) {
    auto file = gd::res::FileSource::Open(path);
    if (!file) {
        error = "cannot open " + path;
        return false;
    }
    auto parsed = gd::res::ParsePeResources(*file);
    const gd::res::ResourceEntry* entry = parsed ? parsed->table.Find(r.type, r.id) : nullptr;
    if (!entry) {
        error = "no entry " + std::to_string(r.type) + ":" + std::to_string(r.id) + " to resize";
        return false;
    }
    auto bytes = gd::res::ReadEntryBytes(*file, *entry);
    if (!bytes) {
        error = bytes.error();
        return false;
    }
    file.reset();
    bytes->resize(r.size, 0);
    return gd::res::WriteResource(path, r.type, r.id, bytes.value(), &error);
}

bool SetField(gd::SaverConfig& c, CountOverrides& counts, const std::string& name, const std::string& value) {
    int v = std::atoi(value.c_str());
    if (name == "picture_count" || name == "music_count") {
        (name == "music_count" ? counts.music : counts.pictures) = int32_t(std::strtol(value.c_str(), nullptr, 10));
        return true;
    }
    std::map<std::string, int32_t*> ints{
        {"picture_pause", &c.picture_pause}, {"effect_ms", &c.effect_millisecond},
        {"mouse_move", &c.mouse_move},       {"left", &c.mouse_left_click},
        {"right", &c.mouse_right_click},     {"keyboard", &c.keyboard_event},
        {"shuffle_pic", &c.shuffle_pic},     {"auto_adjust", &c.auto_adjust_size},
        {"move_picture", &c.move_picture},   {"mute_music", &c.mute_music},
        {"audio_pause", &c.audio_pause},     {"shuffle_audio", &c.shuffle_audio}};
    if (auto it = ints.find(name); it != ints.end()) {
        *it->second = v;
        return true;
    }
    if (name == "bg") {
        c.bg_color = ColorFromHex(value);
        return true;
    }
    if (name == "effects") {  // "all", or a comma list of effect ids
        c.effect_on.fill(0);
        if (value == "all") {
            for (int i = 1; i <= 44; ++i) c.effect_on[i] = 1;
        } else {
            for (const std::string& id : Split(value, ',', 64)) c.effect_on[std::atoi(id.c_str()) & 63] = 1;
        }
        return true;
    }
    return false;
}

int Usage(const char* problem) {
    std::fprintf(stderr, "saver_fixture: %s\n", problem);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string template_path, out_path;
    gd::SaverConfig config;
    config.identifier = "0123456789ABCDEF0123456789abcdef";
    config.name = "Fixture Show";
    config.picture_pause = 30;
    config.effect_millisecond = 300;
    config.auto_adjust_size = 1;
    CountOverrides counts;
    SetField(config, counts, "effects", "all");
    std::vector<std::vector<uint8_t>> pictures;
    std::map<int, gd::CaptionRecord> captions;
    std::vector<gd::MusicEntry> tracks;
    std::vector<Resize> resizes;
    bool with_config = true;

    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        bool has_value = i + 1 < argc;
        std::string value = has_value ? argv[i + 1] : "";
        if (arg == "--no-config") {
            with_config = false;
            continue;
        }
        if (!has_value) return Usage(("missing value after " + arg).c_str());
        ++i;
        if (arg == "--template") {
            template_path = value;
        } else if (arg == "--out") {
            out_path = value;
        } else if (arg == "--id") {
            config.identifier = value;
        } else if (arg == "--set") {
            auto kv = Split(value, '=', 2);
            if (kv.size() != 2 || !SetField(config, counts, kv[0], kv[1])) return Usage(("bad --set " + value).c_str());
        } else if (arg == "--picture") {
            pictures.push_back(ReadAll(value));
            if (pictures.back().empty()) return Usage(("cannot read " + value).c_str());
        } else if (arg == "--caption") {
            auto p = Split(value, ':', 5);
            if (p.size() != 5) return Usage("--caption PICTURE:POSITION:RRGGBB:HEIGHT:TEXT");
            gd::CaptionRecord c;
            c.position = std::atoi(p[1].c_str());
            c.color = ColorFromHex(p[2]);
            c.font = Font(std::atoi(p[3].c_str()));
            c.text = p[4];
            captions[std::atoi(p[0].c_str())] = c;
        } else if (arg == "--banner") {
            config.banner = value;
        } else if (arg == "--banner-style") {
            auto p = Split(value, ':', 3);
            if (p.size() != 3) return Usage("--banner-style RRGGBB:HEIGHT:POSITION");
            config.banner_color = ColorFromHex(p[0]);
            config.banner_font = Font(std::atoi(p[1].c_str()));
            config.banner_pos = std::atoi(p[2].c_str());
        } else if (arg == "--tone") {
            auto p = Split(value, ':', 2);
            tracks.push_back({p.size() == 2 ? p[1] : "WAV", gd::test::WaveTone(std::atof(p[0].c_str()))});
        } else if (arg == "--resize") {
            auto r = ParseResize(value);
            if (!r) return Usage("--resize KIND:ID:SIZE");
            resizes.push_back(*r);
        } else {
            return Usage(("unknown option " + arg).c_str());
        }
    }
    if (template_path.empty() || out_path.empty()) return Usage("--template and --out are required");

    std::error_code ec;
    std::filesystem::copy_file(template_path, out_path, std::filesystem::copy_options::overwrite_existing, ec);
    if (ec) return Usage(("cannot copy the template: " + ec.message()).c_str());

    config.picture_count = counts.pictures.value_or(int32_t(pictures.size()));
    config.has_pictures = config.picture_count > 0 ? 1 : 0;
    config.music_count = counts.music.value_or(int32_t(tracks.size()));
    config.has_music = config.music_count > 0 ? 1 : 0;

    gd::res::ResourceEditor editor;
    if (!editor.Open(out_path)) return Usage(editor.error().c_str());
    const uint16_t lang = gd::kSaverResourceLanguage;
    for (size_t i = 0; i < pictures.size(); ++i) editor.Write(gd::RT_SAVER_PICTURE, uint16_t(i), lang, pictures[i]);
    for (auto& [id, caption] : captions) {
        editor.Write(gd::RT_SAVER_CAPTION, uint16_t(id), lang, gd::EncodeCaptionRecord(caption));
    }
    for (size_t i = 0; i < tracks.size(); ++i) {
        editor.Write(gd::RT_SAVER_MUSIC, uint16_t(i), lang, gd::EncodeMusicEntry(tracks[i]));
    }
    if (with_config) editor.Write(gd::RT_SAVER_CONFIG, gd::kSaverConfigId, lang, gd::EncodeSaverConfig(config));
    if (!editor.Commit()) return Usage(editor.error().c_str());

    for (const Resize& r : resizes) {
        std::string error;
        if (!ApplyResize(out_path, r, error)) return Usage(error.c_str());
    }
    return 0;
}
