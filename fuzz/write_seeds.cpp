// Writes the seed corpus of the fuzz targets (fuzz/corpus/<kind>/) from our own records,
// project code and sample files, so every seed can be made again:
//   build/fuzz/write_fuzz_seeds fuzz/corpus tests/inputs
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "common/caption_record.h"
#include "common/music_entry.h"
#include "common/profile_portable.h"
#include "common/resource_types.h"
#include "common/saver_config.h"
#include "common/saver_extras.h"
#include "common/saver_settings_file.h"
#include "fuzz/fuzz_support.h"
#include "maker/project/project_file.h"
#include "resources/icon_file.h"
#include "resources/resource_editor.h"

namespace fs = std::filesystem;

namespace {

std::string g_out, g_inputs;

void Put(const std::string& relative, std::span<const uint8_t> bytes) {
    fs::create_directories(fs::path(g_out + "/" + relative).parent_path());
    if (!gd::fuzz::WriteFile(g_out + "/" + relative, bytes)) std::fprintf(stderr, "cannot write %s\n", relative.c_str());
}

void PutText(const std::string& relative, std::string_view text) {
    Put(relative, {reinterpret_cast<const uint8_t*>(text.data()), text.size()});
}

// Parts cut at NUL, as the targets read them.
std::string Parts(std::initializer_list<std::string_view> parts) {
    std::string joined;
    bool first = true;
    for (std::string_view p : parts) {
        if (!first) joined += '\0';
        joined += p;
        first = false;
    }
    return joined;
}

gd::LogFont Font(int height, const char* face) {
    gd::LogFont f;
    f.height = -height;
    f.weight = 700;
    f.italic = 1;
    f.face_name = face;
    return f;
}

gd::SaverConfig Config() {
    gd::SaverConfig c;
    c.identifier = "0123456789ABCDEF0123456789ABCDEF";
    c.name = "Seed Show";
    c.author = "Seed";
    c.description = "Pictures of the seed corpus";
    c.bg_color = 0x00102030;
    c.mouse_move = c.keyboard_event = 1;
    c.has_music = 1;
    c.music_count = 1;
    c.audio_pause = 2;
    c.has_pictures = 1;
    c.picture_count = 1;
    c.effect_millisecond = 1500;
    c.picture_pause = 3;
    for (size_t i = 0; i < 45; ++i) c.effect_on[i] = i % 3 != 0;
    c.banner = "Seed banner";
    c.banner_font = Font(24, "Arial");
    c.banner_color = 0x00FFFFFF;
    return c;
}

gd::CaptionRecord Caption() {
    gd::CaptionRecord r;
    r.font = Font(18, "Verdana");
    r.color = 0x0000FFFF;
    r.position = 7;
    r.text = "A caption";
    return r;
}

void WriteRecords() {
    Put("records/config.bin", gd::EncodeSaverConfig(Config()));
    Put("records/config_default.bin", gd::EncodeSaverConfig(gd::SaverConfig{}));
    Put("records/caption.bin", gd::EncodeCaptionRecord(Caption()));
    Put("records/music.bin", gd::EncodeMusicEntry({"MP3", {1, 2, 3, 4, 5}}));
    Put("records/music_empty.bin", gd::EncodeMusicEntry({"", {}}));
    Put("records/font.bin", gd::EncodeLogFont(Font(12, "Times New Roman")));
}

// Entries a later version might add: a text, bytes and a type this one does not know.
std::vector<gd::KeyedEntry> LaterEntries() {
    return {{"szLater", uint8_t(gd::EntryType::kText16), {'h', 0, 'i', 0}},
            {"lfLater", uint8_t(gd::EntryType::kBytes), std::vector<uint8_t>(60, 3)},
            {"xLater", 9, {1, 2}}};
}

void WriteExtras() {
    gd::SaverConfig config = Config();
    config.move_picture = 0;
    Put("extras/show_extras.bin", gd::EncodeSaverExtras(config));
    std::vector<gd::KeyedEntry> entries = {gd::Int32Entry("bMovePicture", 0)};
    for (const auto& e : LaterEntries()) entries.push_back(e);
    Put("extras/show_extras_later.bin", gd::EncodeKeyedRecord(gd::kSaverExtrasMagic, entries));
    Put("extras/project_block_later.bin", gd::EncodeKeyedRecord(gd::kProjectExtensionMagic, entries));
}

void WritePe() {
    const std::string exe = gd::fuzz::ScratchPath("payload.exe");
    Put("pe/minimal.exe", gd::fuzz::MinimalPe());
    gd::fuzz::WriteFile(exe, gd::fuzz::MinimalPe());
    gd::res::ResourceEditor editor;
    if (!editor.Open(exe)) return;
    gd::res::StageIcon(g_inputs + "/ico/card.ico", editor);
    const uint16_t lang = gd::res::kLanguageEnUs;
    editor.Write(gd::RT_SAVER_PICTURE, 0, lang, gd::fuzz::ReadFile(g_inputs + "/jpeg/card.jpg"));
    editor.Write(gd::RT_SAVER_CAPTION, 0, lang, gd::EncodeCaptionRecord(Caption()));
    editor.Write(gd::RT_SAVER_MUSIC, 0, lang, gd::EncodeMusicEntry({"WAV", std::vector<uint8_t>(64, 7)}));
    editor.Write(gd::RT_SAVER_EXTRAS, gd::kSaverExtrasId, lang, gd::EncodeSaverExtras(Config()));
    editor.Write(gd::RT_SAVER_CONFIG, gd::kSaverConfigId, lang, gd::EncodeSaverConfig(Config()));
    if (editor.Commit()) Put("pe/payload.exe", gd::fuzz::ReadFile(exe));
}

class NoMessages : public gd::MessageSink {
public:
    void ShowMessage(std::string_view) override {}
};

void WriteProjects() {
    NoMessages messages;
    gd::CParamData empty;
    Put("psm/new.psm", gd::StoreProject(empty, messages));
    // Pictures and music must exist while the project is stored.
    gd::CParamData project;
    const std::string picture = gd::fuzz::ScratchPath("picture.jpg"), music = gd::fuzz::ScratchPath("tune.mid");
    gd::fuzz::WriteFile(picture, std::vector<uint8_t>{1});
    gd::fuzz::WriteFile(music, std::vector<uint8_t>{1});
    gd::CPictureData p;
    p.szFile = picture;
    p.szCaption = "Seed caption";
    p.lfCaptionFont = Font(20, "Arial");
    p.nCaptionPos = 4;
    project.pictureList = {p, p};
    project.pictureList[1].szCaption = std::string(300, 'x');  // a longer length prefix
    project.musicList = {music};
    project.szName = "Seed";
    project.szBanner = "Banner";
    Put("psm/pictures_and_music.psm", gd::StoreProject(project, messages));
    // The extension block: bMovePicture off, entries of a later version, bytes after it.
    gd::CParamData later;
    later.bMovePicture = 0;
    later.extension.unknown_entries = LaterEntries();
    later.extension.trailing = {'M', 'O', 'R', 'E'};
    Put("psm/extension_block.psm", gd::StoreProject(later, messages));
}

void WriteSettings() {
    const std::string folder = gd::fuzz::ScratchPath("settings");
    fs::create_directories(folder);
    gd::SaverConfig config = Config();
    config.identifier = "FUZZ";
    gd::PortableProfileStore store;
    gd::SaveIniSettings(config, store, {folder, ""});
    Put("settings/saved.ini", gd::fuzz::ReadFile(folder + "/FUZZ.ini"));
    PutText("settings/odd.ini",
            "; a comment line\r\n[ PARAM ]\r\nnPicturePause = 0x1F\r\nbMouseMove='1'\r\nszEffect=\"0101\"\r\n"
            "nAudioPause=-0b101\r\ncrBgColor=0o777\r\n[param]\r\nnPicturePause=9\r\n");
}

void WriteTexts() {
    PutText("ini/simple.txt", Parts({"[param]\nkey=value\n", "param", "key", "new value"}));
    PutText("ini/crlf.txt", Parts({"[a]\r\nx=1\r\n\r\n[b]\r\ny = \"2\"\r\n", "b", "Z", " 0x10 "}));
    PutText("ini/new_section.txt", Parts({"k=v", " Sect ", "name", "'quoted'"}));
    PutText("command_line/full_screen.txt", "\"C:\\Program Files\\show.scr\" /s");
    PutText("command_line/settings.txt", "show.scr /c:1234");
    PutText("command_line/settings_no_window.txt", "show.scr -C");
    PutText("command_line/preview.txt", "show.scr /p 65542");
    PutText("command_line/password.txt", "show.scr /a -12");
    PutText("command_line/launcher.txt", "show.scr");
    PutText("cli_values/int.txt", Parts({"nPicturePause", "7", "640x480", "0,1,last"}));
    PutText("cli_values/colour.txt", Parts({"crBgColor", "0x0000FF", "1x1", "last"}));
    PutText("cli_values/caption.txt", Parts({"pictureList[1].szCaption", "Hello", "16384x2", "12,0"}));
    PutText("cli_values/font.txt", Parts({"lfBanner.lfFaceName", "Arial", "320x240", "3"}));
    PutText("cli_values/effect.txt", Parts({"bEffectOn[12]", "0", "2x3", "0"}));
    PutText("cli_values/effects.txt", Parts({"bEffectOn", std::string(64, '1'), "", ""}));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s OUT_FOLDER TEST_INPUTS_FOLDER\n", argv[0]);
        return 2;
    }
    g_out = argv[1];
    g_inputs = argv[2];
    WriteRecords();
    WriteExtras();
    WritePe();
    WriteProjects();
    WriteSettings();
    WriteTexts();
    return 0;
}
