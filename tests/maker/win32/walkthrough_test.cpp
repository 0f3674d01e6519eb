// A whole project built on the maker's pages, in the test's own process under Wine, and
// the screensaver made from it read back as the screensaver reads itself: the General
// page's information and output, pictures added, put in order and captioned with their
// own fonts, colours and positions, music added, put in order and listened to, every
// setting of the Settings page and a choice of effects; saved, made with the real picture
// encoder and resource writer into a copy of the real runtime template, and opened again.

#include <windows.h>
#include <commctrl.h>

#include <deque>
#include <filesystem>
#include <fstream>

#include "common/music_entry.h"
#include "common/resource_types.h"
#include "maker/cli/exe_info.h"
#include "maker/project/editor_target.h"
#include "maker/project/picture_encoding.h"
#include "maker/win32/effect_view.h"
#include "maker/win32/general_view.h"
#include "maker/win32/maker_pages.h"
#include "maker/win32/maker_resource_ids.h"
#include "maker/win32/music_view.h"
#include "maker/win32/picture_view.h"
#include "maker/win32/setting_view.h"
#include "resources/resource_table.h"
#include "tests/maker/project/build_fakes.h"
#include "tests/maker/ui/fake_audition_media.h"
#include "tests/maker/win32/making_fixture.h"
#include "tests/maker/win32/preview_support.h"
#include "tests/maker/win32/window_fixture.h"
#include "win32/dialog_items.h"
#include "win32/effect_list.h"

namespace gd::test {
namespace {

// A 24-bit BMP of one colour, written byte by byte (bottom-up rows, 4-byte aligned).
std::string WriteColorBmp(const TempFolder& folder, const std::string& name, int width, int height, COLORREF color) {
    const uint32_t stride = (uint32_t(width) * 3 + 3) & ~3u;
    const uint32_t pixels = stride * uint32_t(height);
    std::string bytes;
    auto u16 = [&](uint32_t v) { bytes += char(v & 0xFF), bytes += char((v >> 8) & 0xFF); };
    auto u32 = [&](uint32_t v) { u16(v & 0xFFFF), u16(v >> 16); };
    bytes += "BM";
    u32(54 + pixels), u32(0), u32(54);
    u32(40), u32(uint32_t(width)), u32(uint32_t(height)), u16(1), u16(24), u32(0), u32(pixels), u32(2835), u32(2835),
        u32(0), u32(0);
    std::string row(stride, '\0');
    for (int x = 0; x < width; ++x) {
        row[size_t(3 * x)] = char(GetBValue(color));
        row[size_t(3 * x + 1)] = char(GetGValue(color));
        row[size_t(3 * x + 2)] = char(GetRValue(color));
    }
    for (int y = 0; y < height; ++y) bytes += row;
    return folder.Write(name, bytes);
}

// A short PCM sound: 8-bit mono at 8000 samples a second, a square wave.
std::string WriteWav(const TempFolder& folder, const std::string& name, uint32_t samples, int period) {
    std::string bytes;
    auto u16 = [&](uint32_t v) { bytes += char(v & 0xFF), bytes += char((v >> 8) & 0xFF); };
    auto u32 = [&](uint32_t v) { u16(v & 0xFFFF), u16(v >> 16); };
    bytes += "RIFF";
    u32(36 + samples);
    bytes += "WAVEfmt ";
    u32(16), u16(1), u16(1), u32(8000), u32(8000), u16(1), u16(8);
    bytes += "data";
    u32(samples);
    for (uint32_t i = 0; i < samples; ++i) bytes += char((i / uint32_t(period)) % 2 ? 0xC0 : 0x40);
    return folder.Write(name, bytes);
}

std::vector<uint8_t> FileBytes(const std::string& path) {
    std::ifstream in(Utf8Path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The bytes of resource (type, id) of a PE file; empty when it has none.
std::vector<uint8_t> ResourceBytes(const std::string& path, uint16_t type, uint16_t id) {
    auto source = res::FileSource::Open(path);
    if (!source) return {};
    auto parsed = res::ParsePeResources(*source);
    if (!parsed) return {};
    const res::ResourceEntry* entry = parsed->table.Find(type, id);
    if (!entry) return {};
    auto bytes = res::ReadEntryBytes(*source, *entry);
    return bytes ? bytes.value() : std::vector<uint8_t>{};
}

LogFont Font(const char* face, int32_t height, int32_t weight, uint8_t italic) {
    LogFont font;
    font.face_name = face;
    font.height = height;
    font.weight = weight;
    font.italic = italic;
    font.out_precision = 3;
    font.quality = 1;
    return font;
}

class Walkthrough : public MakingWindowTest {
protected:
    void SetUp() override {
        MakingWindowTest::SetUp();
        services_.choose_font = [this](HWND, const LogFont&, ColorRef) -> std::optional<FontChoice> {
            if (fonts_.empty()) return std::nullopt;
            FontChoice answer = fonts_.front();
            fonts_.pop_front();
            return answer;
        };
        services_.choose_color = [this](HWND, ColorRef) -> std::optional<ColorRef> {
            if (colors_.empty()) return std::nullopt;
            ColorRef answer = colors_.front();
            colors_.pop_front();
            return answer;
        };
        services_.make_audition_media = [this] {
            auto media = std::make_unique<FakeAuditionMedia>();
            media->any_length = 4000;
            media_ = media.get();
            return media;
        };
    }

    template <class View> View& Show(int page) {
        SendMessageW(frame_->navigation().Button(page), BM_CLICK, 0, 0);
        EXPECT_EQ(frame_->pages().current(), page);
        auto* view = dynamic_cast<View*>(frame_->pages().page(page));
        EXPECT_NE(view, nullptr) << page;
        return *view;
    }
    static void Click(HWND page, int id) { SendMessageW(GetDlgItem(page, id), BM_CLICK, 0, 0); }
    // The user picks entry `index` of a drop-down list; the list tells its page.
    static void Choose(HWND page, int id, int index) {
        HWND list = GetDlgItem(page, id);
        SendMessageW(list, CB_SETCURSEL, WPARAM(index), 0);
        SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), LPARAM(list));
    }
    static void SetChecked(HWND page, int id, bool checked) {
        if (IsItemChecked(page, id) != checked) Click(page, id);
    }

    std::deque<FontChoice> fonts_;
    std::deque<ColorRef> colors_;
    FakeAuditionMedia* media_ = nullptr;
};

TEST_F(Walkthrough, TheMadeScreensaverCarriesWhatThePagesShow) {
    // What the user brings: pictures of three formats and sizes, three music files.
    const std::string harbour = WriteColorJpeg(folder_, "harbour.jpg", 200, 150, RGB(200, 40, 40));
    const std::string waves = WriteStripesGif(folder_, "waves.gif", 90, 60, {RGB(0, 0, 255), RGB(255, 255, 0)});
    const std::string meadow = WriteColorBmp(folder_, "meadow.bmp", 120, 96, RGB(40, 160, 60));
    ASSERT_FALSE(harbour.empty());
    ASSERT_FALSE(waves.empty());
    const std::string chimes = WriteWav(folder_, "chimes.wav", 4000, 9);
    const std::string drone = WriteWav(folder_, "drone.wav", 6000, 40);
    const std::string tune = folder_.Write("tune.mid", std::string("MThd\0\0\0\6\0\0\0\1\0\x60MTrk\0\0\0\4\0\xFF\x2F\0", 26));
    const std::filesystem::path output = folder_.path() / "made";
    std::filesystem::create_directories(output);

    MakeFrame();

    // General: the screensaver's information, a standard screensaver, the output folder.
    CGeneralView& general = *frame_->general_view();
    HWND g = general.hwnd();
    SetItemText(g, IDC_SAVER_NAME, L"Harbour Days");
    SetItemText(g, IDC_AUTHOR, L"Ann Example");
    SetItemText(g, IDC_EMAIL, L"ann@example.org");
    SetItemText(g, IDC_HOMEPAGE_EDIT, L"https://www.example.org/ann/");
    SetItemText(g, IDC_COPYRIGHT, L"(C) 2024 Ann Example");
    SetItemText(g, IDC_DESCRIPTION, L"Three days by the harbour.");
    Click(g, IDC_STANDARD_SAVER);
    files_.folder = {output.string()};
    Click(g, IDC_BROWSE_FOLDER);
    EXPECT_EQ(frame_->Caption(), L"Glimmerdeck - *Untitled");

    // Pictures: added in one choice, put in the order meadow, harbour, waves, and the
    // first two captioned, each with its own font, colour and position.
    CPictureView& pictures = Show<CPictureView>(kPicturesPage);
    HWND p = pictures.hwnd();
    files_.pictures = {std::vector<std::string>{harbour, waves, meadow}};
    Click(p, IDC_PICTURE_ADD);
    ASSERT_EQ(pictures.pictures().size(), 3u);
    pictures.ClickRow(2);
    Click(p, IDC_PICTURE_UP);  // harbour, meadow, waves
    pictures.ClickRow(0);
    Click(p, IDC_PICTURE_DOWN);  // meadow, harbour, waves
    ASSERT_EQ(pictures.pictures()[0].szFile, meadow);
    ASSERT_EQ(pictures.pictures()[1].szFile, harbour);
    ASSERT_EQ(pictures.pictures()[2].szFile, waves);

    const LogFont meadow_font = Font("Courier New", -24, 700, 0);
    const LogFont harbour_font = Font("Times New Roman", -30, 400, 1);
    pictures.ClickRow(0);
    SetItemText(p, IDC_CAPTION_TEXT, L"  Meadow at noon ");
    fonts_ = {FontChoice{meadow_font, 0x0000FF00}};
    Click(p, IDC_CAPTION_FONT);
    Choose(p, IDC_CAPTION_POSITION, 8);  // bottom right
    pictures.ClickRow(1);
    SetItemText(p, IDC_CAPTION_TEXT, L"The harbour, caf\u00e9 and all");
    fonts_ = {FontChoice{harbour_font, 0x00FFFF00}};
    Click(p, IDC_CAPTION_FONT);
    Choose(p, IDC_CAPTION_POSITION, 4);  // middle centre

    // Music: added, the tune moved before the drone, the first file listened to.
    CMusicView& music = Show<CMusicView>(kMusicPage);
    HWND m = music.hwnd();
    files_.music = {std::vector<std::string>{chimes, drone, tune}};
    Click(m, IDC_MUSIC_ADD);
    music.ClickRow(2);
    Click(m, IDC_MUSIC_UP);  // chimes, tune, drone
    music.ClickRow(0);
    ASSERT_NE(media_, nullptr);
    EXPECT_EQ(media_->open_file(), chimes);
    EXPECT_TRUE(media_->Playing());

    // Settings: every one set, most of them away from a new project's value.
    CSettingView& settings = Show<CSettingView>(kSettingsPage);
    HWND s = settings.hwnd();
    Choose(s, IDC_PICTURE_PAUSE, 5);     // 6 s
    Choose(s, IDC_EFFECT_DURATION, 3);   // 2.5 s
    Choose(s, IDC_MUSIC_PAUSE, 12);      // "25 "
    SetChecked(s, IDC_AUTO_ADJUST, true);
    SetChecked(s, IDC_SHUFFLE_PICTURES, false);
    SetChecked(s, IDC_MOVE_PICTURES, false);
    SetChecked(s, IDC_SHUFFLE_MUSIC, false);
    SetChecked(s, IDC_MUTE_MUSIC, true);
    SetChecked(s, IDC_MOUSE_MOVE, false);
    SetChecked(s, IDC_MOUSE_LEFT, true);
    SetChecked(s, IDC_MOUSE_RIGHT, false);
    SetChecked(s, IDC_KEYBOARD_EVENT, true);
    colors_ = {0x00603010};
    Click(s, IDC_BG_CHANGE);
    SetItemText(s, IDC_BANNER_TEXT, L" Harbour Days 2024 ");
    const LogFont banner_font = Font("Arial", -28, 700, 0);
    fonts_ = {FontChoice{banner_font, 0x0040C8F8}};
    Click(s, IDC_BANNER_FONT);
    Choose(s, IDC_BANNER_POS, 1);
    EXPECT_EQ(settings.banner_note(), L"");

    // Effects: the first ten left out.
    auto& effects = Show<CEffectView>(kEffectsPage);
    for (int row = 0; row < 10; ++row) SetEffectRowChecked(effects.list(), row, false);

    // Saved as a project file.
    const std::string project_file = Path("harbour.psm");
    files_.save = {project_file};
    Command(ID_FILE_SAVE);
    ASSERT_TRUE(std::filesystem::exists(Utf8Path(project_file)));
    EXPECT_FALSE(frame_->doc().IsModified());
    EXPECT_TRUE(TakeMessages().empty());
    const CParamData saved = frame_->doc().project();

    // Made, with the making dialog closed once it is done and the offer to make it the
    // default screensaver declined.
    prompter_.answers = {IDCANCEL};
    bool done = false;
    {
        ModalDriver driver([&] {
            HWND making = FindThreadWindow(L"Screensaver Making");
            if (!making || !IsWindowEnabled(GetDlgItem(making, IDC_MAKING_DONE))) return false;
            done = true;
            PostMessageW(GetDlgItem(making, IDC_MAKING_DONE), BM_CLICK, 0, 0);
            return true;
        });
        Command(ID_MAKE_SCR);
    }
    ASSERT_TRUE(done);
    EXPECT_EQ(TakeMessages(),
              std::vector<std::wstring>{L"Do you want to set Harbour Days as your default screensaver?   "});
    const std::string made = (output / "Harbour Days.scr").string();
    ASSERT_TRUE(std::filesystem::exists(Utf8Path(made))) << made;

    // The made file, read as the screensaver reads it.
    auto info = cli::ReadExeInfo(made);
    ASSERT_TRUE(info) << info.error();
    ASSERT_TRUE(info->config.has_value());
    const SaverConfig& c = *info->config;
    EXPECT_EQ(c.name, "Harbour Days");
    EXPECT_EQ(c.author, "Ann Example");
    EXPECT_EQ(c.email, "ann@example.org");
    EXPECT_EQ(c.home_page, "https://www.example.org/ann/");
    EXPECT_EQ(c.copyright, "(C) 2024 Ann Example");
    EXPECT_EQ(c.description, "Three days by the harbour.");
    EXPECT_EQ(c.picture_pause, 6);
    EXPECT_EQ(c.effect_millisecond, 2500);
    EXPECT_EQ(c.audio_pause, 25);
    EXPECT_EQ(c.auto_adjust_size, 1);
    EXPECT_EQ(c.shuffle_pic, 0);
    EXPECT_EQ(c.move_picture, 0);
    ASSERT_TRUE(info->extras.has_value()) << "the show extras record";
    EXPECT_EQ(info->extras->entries.at(0), Int32Entry("bMovePicture", 0));
    EXPECT_EQ(c.shuffle_audio, 0);
    EXPECT_EQ(c.mute_music, 1);
    EXPECT_EQ(c.mouse_move, 0);
    EXPECT_EQ(c.mouse_left_click, 1);
    EXPECT_EQ(c.mouse_right_click, 0);
    EXPECT_EQ(c.keyboard_event, 1);
    EXPECT_EQ(c.bg_color, 0x00603010u);
    EXPECT_EQ(c.banner, "Harbour Days 2024") << "trimmed, as the show draws it";
    EXPECT_EQ(c.banner_font, banner_font);
    EXPECT_EQ(c.banner_color, 0x0040C8F8u);
    EXPECT_EQ(c.banner_pos, 1);
    EXPECT_EQ(c.picture_count, 3);
    EXPECT_EQ(c.has_pictures, 1);
    EXPECT_EQ(c.music_count, 3);
    EXPECT_EQ(c.has_music, 1);
    for (int id = 1; id <= 44; ++id) EXPECT_EQ(c.effect_on[size_t(id)], id <= 10 ? 0 : 1) << id;

    // The pictures in the page's order: the BMP and the JPEG as JPEGs of their own size,
    // the GIF as it was.
    ASSERT_EQ(info->pictures.size(), 3u);
    EXPECT_EQ(info->pictures[0].format, "JPEG");
    EXPECT_EQ(info->pictures[0].width, 120);
    EXPECT_EQ(info->pictures[0].height, 96);
    EXPECT_EQ(info->pictures[1].format, "JPEG");
    EXPECT_EQ(info->pictures[1].width, 200);
    EXPECT_EQ(info->pictures[1].height, 150);
    EXPECT_EQ(info->pictures[2].format, "GIF");
    EXPECT_EQ(ResourceBytes(made, RT_SAVER_PICTURE, 2), FileBytes(waves));

    // Their captions: text (trimmed), font, colour and position as chosen; the picture
    // without a caption has no caption entry.
    ASSERT_EQ(info->captions.size(), 2u);
    ASSERT_TRUE(info->captions[0].record && info->captions[1].record);
    EXPECT_EQ(info->captions[0].id, 0);
    EXPECT_EQ(info->captions[0].record->text, "Meadow at noon");
    EXPECT_EQ(info->captions[0].record->font, meadow_font);
    EXPECT_EQ(info->captions[0].record->color, 0x0000FF00u);
    EXPECT_EQ(info->captions[0].record->position, 8);
    EXPECT_EQ(info->captions[1].id, 1);
    EXPECT_EQ(info->captions[1].record->text, "The harbour, caf\xc3\xa9 and all");
    EXPECT_EQ(info->captions[1].record->font, harbour_font);
    EXPECT_EQ(info->captions[1].record->color, 0x00FFFF00u);
    EXPECT_EQ(info->captions[1].record->position, 4);

    // The music in the page's order, each file's bytes unchanged behind its type tag.
    ASSERT_EQ(info->music.size(), 3u);
    const std::string order[] = {chimes, tune, drone};
    const char* tags[] = {"WAV", "MID", "WAV"};
    for (uint16_t i = 0; i < 3; ++i) {
        EXPECT_EQ(info->music[i].extension, tags[i]) << i;
        auto entry = DecodeMusicEntry(ResourceBytes(made, RT_SAVER_MUSIC, i));
        ASSERT_TRUE(entry) << i;
        EXPECT_EQ(entry->data, FileBytes(order[i])) << i;
    }

    // The project file opens to the same project, which each page shows and stores as it
    // is: the picture movement turned off included, which the file's extension block keeps.
    Command(ID_FILE_NEW);
    EXPECT_TRUE(TakeMessages().empty()) << "saved and made: nothing to ask";
    files_.open = {project_file};
    Command(ID_FILE_OPEN);
    for (int page : {kPicturesPage, kMusicPage, kSettingsPage, kEffectsPage, kGeneralPage})
        SendMessageW(frame_->navigation().Button(page), BM_CLICK, 0, 0);
    CParamData reopened = frame_->doc().project();
    EXPECT_EQ(reopened.bMovePicture, 0);
    EXPECT_EQ(reopened, saved);
    EXPECT_FALSE(frame_->doc().IsModified()) << "showing and storing the pages is no edit";
    EXPECT_TRUE(TakeMessages().empty());
}

}  // namespace
}  // namespace gd::test
