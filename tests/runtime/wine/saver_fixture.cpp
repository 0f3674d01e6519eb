// Makes a test screensaver: copies the runtime template and writes a payload into it
// with the resource editor: pictures, captions, a banner, generated WAV tones and the
// configuration record.
//
//   saver_fixture --template T --out O [--id ID] [--set NAME=VALUE]... [--picture FILE]...
//                 [--caption PICTURE:POSITION:RRGGBB:HEIGHT:TEXT]... [--banner TEXT]
//                 [--banner-style RRGGBB:HEIGHT:POSITION] [--tone SECONDS]... [--no-config]

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "common/caption_record.h"
#include "common/music_entry.h"
#include "common/resource_types.h"
#include "common/saver_config.h"
#include "resources/resource_editor.h"

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

// A sine tone as a 16-bit mono WAV file.
std::vector<uint8_t> Tone(double seconds) {
    const uint32_t rate = 8000;
    uint32_t samples = uint32_t(seconds * rate);
    std::vector<uint8_t> w;
    auto u32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) w.push_back(uint8_t(v >> (8 * i))); };
    auto u16 = [&](uint16_t v) { w.push_back(uint8_t(v)); w.push_back(uint8_t(v >> 8)); };
    auto tag = [&](const char* t) { w.insert(w.end(), t, t + 4); };
    tag("RIFF"); u32(36 + samples * 2); tag("WAVE");
    tag("fmt "); u32(16); u16(1); u16(1); u32(rate); u32(rate * 2); u16(2); u16(16);
    tag("data"); u32(samples * 2);
    for (uint32_t i = 0; i < samples; ++i) u16(uint16_t(int16_t(3000 * std::sin(i * 2 * 3.14159265 * 440 / rate))));
    return w;
}

bool SetField(gd::SaverConfig& c, const std::string& name, const std::string& value) {
    int v = std::atoi(value.c_str());
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
    SetField(config, "effects", "all");
    std::vector<std::vector<uint8_t>> pictures;
    std::map<int, gd::CaptionRecord> captions;
    std::vector<gd::MusicEntry> tracks;
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
            if (kv.size() != 2 || !SetField(config, kv[0], kv[1])) return Usage(("bad --set " + value).c_str());
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
            tracks.push_back({"WAV", Tone(std::atof(value.c_str()))});
        } else {
            return Usage(("unknown option " + arg).c_str());
        }
    }
    if (template_path.empty() || out_path.empty()) return Usage("--template and --out are required");

    std::error_code ec;
    std::filesystem::copy_file(template_path, out_path, std::filesystem::copy_options::overwrite_existing, ec);
    if (ec) return Usage(("cannot copy the template: " + ec.message()).c_str());

    config.picture_count = int32_t(pictures.size());
    config.has_pictures = pictures.empty() ? 0 : 1;
    config.music_count = int32_t(tracks.size());
    config.has_music = tracks.empty() ? 0 : 1;

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
    return 0;
}
