#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "common/archive_string.h"
#include "common/byte_io.h"
#include "maker/project/caption_defaults.h"
#include "maker/project/project_file.h"
#include "maker/project/project_options.h"
#include "maker/project/screensaver_doc.h"
#include "tests/maker/project/temp_folder.h"

namespace gd {
namespace {

struct RecordingSink : MessageSink {
    void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
    std::vector<std::string> messages;
};

// Short texts only: the one-byte length form.
void Str(ByteWriter& w, const std::string& s) {
    w.U8(uint8_t(s.size()));
    w.Text(s);
}

void Font(ByteWriter& w, const LogFont& f) {
    for (int32_t v : {f.height, f.width, f.escapement, f.orientation, f.weight}) w.I32(v);
    for (uint8_t b : {f.italic, f.underline, f.strike_out, f.char_set, f.out_precision, f.clip_precision, f.quality,
                      f.pitch_and_family})
        w.U8(b);
    std::string face = f.face_name;
    face.resize(32, '\0');
    w.Text(face);
}

TEST(ProjectFile, EmptyProjectIsTheFontTwoZeroCountsAndTheFixedTail) {
    CParamData p;
    SetAbsentOptions(p);  // a new project writes the extension block: this is the file without it
    p.szOutputFolder = "/out";
    p.bEffectOn[7] = 0;
    RecordingSink sink;
    std::vector<uint8_t> bytes = StoreProject(p, sink);

    ByteWriter w;
    Font(w, p.lfBanner);
    w.I32(0);  // pictures
    w.I32(0);  // music
    for (int i = 0; i < 64; ++i) w.U8(i == 7 ? 0 : 1);
    for (const char* s : {"", "", "name@example.com", "http://www.example.com", "(C) 2004 My Company",
                          "Describe here your screensaver!", ""})
        Str(w, s);
    w.I32(1);  // bSelfInstall
    Str(w, "/out");
    for (int32_t v : {0, 1, 1, 1, 1, 1, 5, 1, 0, 2000, 3, 0}) w.I32(v);  // crBgColor .. bMuteMusic
    Str(w, "");  // szBanner
    w.I32(0xFFFFFF);
    w.I32(0);
    // Reserved: I32, text, 3 x I32, text, 6 x I32, 2 texts, 64 bytes.
    w.I32(0);
    Str(w, "");
    for (int i = 0; i < 3; ++i) w.I32(0);
    Str(w, "");
    for (int i = 0; i < 6; ++i) w.I32(0);
    Str(w, "");
    Str(w, "");
    for (int i = 0; i < 64; ++i) w.U8(0);
    EXPECT_EQ(bytes, w.bytes());
    EXPECT_TRUE(sink.messages.empty());
    // The banner font's face name is NUL-padded to 32 bytes.
    EXPECT_EQ(bytes[28 + 13], 0);
    EXPECT_EQ(bytes[59], 0);
}

TEST(ProjectFile, LongTextsTakeTheWiderLengthPrefixes) {
    CParamData p;
    p.szName = std::string(300, 'n');
    p.szAuthor = std::string(255, 'a');
    RecordingSink sink;
    std::vector<uint8_t> bytes = StoreProject(p, sink);
    size_t name_at = 60 + 4 + 4 + 64;
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + name_at, bytes.begin() + name_at + 3),
              (std::vector<uint8_t>{0xFF, 0x2C, 0x01}));
    size_t author_at = name_at + 3 + 300;
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + author_at, bytes.begin() + author_at + 3),
              (std::vector<uint8_t>{0xFF, 0xFF, 0x00}));
    CParamData back;
    ASSERT_TRUE(LoadProject(bytes, back, sink));
    EXPECT_EQ(back.szName, p.szName);
    EXPECT_EQ(back.szAuthor, p.szAuthor);
}

class ProjectFiles : public ::testing::Test {
protected:
    CParamData FullProject() {
        CParamData p;
        SetAbsentOptions(p);  // the fixed layout alone: a cut block would still open
        LogFont font{-12, 3, 900, 450, 700, 1, 1, 1, 204, 3, 2, 4, 34, "Caption Face"};
        p.pictureList.push_back({folder.Write("one.jpg", "x"), {font, 0x0000FF, 8}});
        p.pictureList.back().szCaption = "  first  ";
        p.pictureList.push_back({folder.Write("two.gif", "x"), {LogFont{}, 0x00FF00, 0}});
        p.musicList = {folder.Write("a.mid", "m"), folder.Write("b.wav", "w")};
        p.szName = "Name";
        p.szAuthor = "Author";
        p.szEmail = "e@x";
        p.szHomePage = "http://h";
        p.szCopyright = "(C) me";
        p.szDescription = "Desc";
        p.crBgColor = 0x102030;
        p.szIconFile = "/icons/i.ico";
        p.bSelfInstall = 0;
        p.szOutputFolder = "/out/folder";
        p.bMouseMove = 0;
        p.bMouseLeftClick = 0;
        p.bMouseRightClick = 0;
        p.bKeyboardEvent = 0;
        p.bShuffleAudio = 0;
        p.nAudioPause = 25;
        p.bMuteMusic = 1;
        p.szBanner = "Banner";
        p.lfBanner = LogFont{-40, 0, 0, 0, 400, 0, 1, 0, 0, 2, 0, 0, 0, "Banner Face"};
        p.crBanner = 0x00FFEE;
        p.nBannerPos = 1;
        p.bShufflePic = 0;
        p.bAutoAdjustSize = 1;
        p.nEffectMilliSecond = 4000;
        p.nPicturePause = 7;
        for (size_t i = 0; i < p.bEffectOn.size(); ++i) p.bEffectOn[i] = uint8_t(i % 3 == 0);
        p.reserved.n1 = -5;
        p.reserved.sz1 = "r1";
        p.reserved.n2 = {1, 2, 3};
        p.reserved.sz2 = "r2";
        p.reserved.n3 = {4, 5, 6, 7, 8, 9};
        p.reserved.sz3 = "r3";
        p.reserved.sz4 = std::string(70000, 'z');  // the four-byte length form
        for (size_t i = 0; i < p.reserved.bytes.size(); ++i) p.reserved.bytes[i] = uint8_t(200 + i);
        return p;
    }

    test::TempFolder folder;
    RecordingSink sink;
};

TEST_F(ProjectFiles, EveryFieldSurvivesSaveAndOpen) {
    CParamData saved = FullProject();
    saved.bMovePicture = 0;  // in the extension block
    std::string path = folder.File("p.psm");
    ASSERT_EQ(SaveProjectFile(path, saved, sink), ProjectFileResult::kOk);
    CParamData opened;
    ASSERT_EQ(OpenProjectFile(path, opened, sink), ProjectFileResult::kOk);
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(opened, saved);
    // Saving again gives the same bytes.
    std::vector<uint8_t> first = test::ReadBytes(path);
    ASSERT_EQ(SaveProjectFile(path, opened, sink), ProjectFileResult::kOk);
    EXPECT_EQ(test::ReadBytes(path), first);
}

TEST_F(ProjectFiles, WesternTextsStayNarrowOthersGoWideAndAllComeBack) {
    CParamData saved;
    saved.pictureList.push_back({folder.Write("写真.jpg", "x"), {}});
    saved.pictureList.back().szCaption = "Grüße";
    saved.pictureList.back().lfCaptionFont.face_name = "Façade";
#ifndef _WIN32
    saved.pictureList.push_back({folder.Write("K\xF6ln.jpg", "x"), {}});  // a Linux name that is not UTF-8
#endif
    saved.szName = "Köln";
    std::string path = folder.File("p.psm");
    ASSERT_EQ(SaveProjectFile(path, saved, sink), ProjectFileResult::kOk);
    std::vector<uint8_t> bytes = test::ReadBytes(path);
    auto holds = [&](std::vector<uint8_t> part) {
        return std::search(bytes.begin(), bytes.end(), part.begin(), part.end()) != bytes.end();
    };
    EXPECT_TRUE(holds({5, 'G', 'r', 0xFC, 0xDF, 'e'}));      // narrow, code-page bytes
    EXPECT_TRUE(holds({'F', 'a', 0xE7, 'a', 'd', 'e', 0}));  // the face name field too
    EXPECT_TRUE(holds({4, 'K', 0xF6, 'l', 'n'}));
    ByteWriter wide;
    WriteArchiveString(wide, saved.pictureList[0].szFile);
    EXPECT_EQ(wide.bytes()[1], 0xFE);
    EXPECT_TRUE(holds(wide.bytes()));
    CParamData opened;
    ASSERT_EQ(OpenProjectFile(path, opened, sink), ProjectFileResult::kOk);
    EXPECT_TRUE(sink.messages.empty());  // both pictures found again
    EXPECT_EQ(opened.pictureList, saved.pictureList);
    EXPECT_EQ(opened.szName, "Köln");
}

TEST_F(ProjectFiles, TextsInAnyLanguageComeBackWhole) {
    CParamData saved;
    saved.szName = "Ελλάδα 2026";
    saved.szAuthor = "Zoë Łukasiewicz";
    saved.szEmail = "zoë@пример.рф";
    saved.szHomePage = "https://例え.jp/写真";
    saved.szCopyright = "© 2026 Ёлка";
    saved.szDescription = "Зимние фото\r\n東京の夜 \U0001F388";
    saved.szBanner = "Москва";
    saved.lfBanner.face_name = "Шрифт Ж";
    saved.pictureList.push_back({folder.Write("a.jpg", "x"), {}});
    saved.pictureList.back().szCaption = "Łódź — zima";
    saved.pictureList.back().lfCaptionFont.face_name = "ＭＳ ゴシック";
    std::string path = folder.File("p.psm");
    ASSERT_EQ(SaveProjectFile(path, saved, sink), ProjectFileResult::kOk);
    CParamData opened;
    ASSERT_EQ(OpenProjectFile(path, opened, sink), ProjectFileResult::kOk);
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(opened, saved);
    // Saving what was opened gives the same bytes.
    const std::vector<uint8_t> first = test::ReadBytes(path);
    ASSERT_EQ(SaveProjectFile(path, opened, sink), ProjectFileResult::kOk);
    EXPECT_EQ(test::ReadBytes(path), first);

    // A face name's field holds 31 bytes: a longer name is cut there between characters,
    // for older readers, and the extension block keeps it whole.
    saved.lfBanner.face_name = "游ゴシック体 Medium 東京東京東京";  // 44 bytes
    saved.pictureList.back().lfCaptionFont.face_name = std::string(40, 'F');
    ASSERT_EQ(SaveProjectFile(path, saved, sink), ProjectFileResult::kOk);
    const std::vector<uint8_t> bytes = test::ReadBytes(path);
    const std::string cut = "游ゴシック体 Medium 東";  // 29 bytes
    EXPECT_NE(std::string(bytes.begin(), bytes.end()).find(cut), std::string::npos) << "the field's start";
    ASSERT_EQ(OpenProjectFile(path, opened, sink), ProjectFileResult::kOk);
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(opened.lfBanner.face_name, "游ゴシック体 Medium 東京東京東京");
    EXPECT_EQ(opened.pictureList.back().lfCaptionFont.face_name, std::string(40, 'F'));
    EXPECT_TRUE(opened.extension.empty()) << "the face names are known entries, written afresh";
    ASSERT_EQ(SaveProjectFile(path, opened, sink), ProjectFileResult::kOk);
    EXPECT_EQ(test::ReadBytes(path), bytes);
}

TEST_F(ProjectFiles, OpeningReplacesThePicturesInsteadOfAddingThem) {
    CParamData file_project = FullProject();
    std::string path = folder.File("p.psm");
    ASSERT_EQ(SaveProjectFile(path, file_project, sink), ProjectFileResult::kOk);
    CParamData open;
    open.pictureList.push_back({folder.Write("other.png", "x"), {}});
    open.musicList.push_back(folder.Write("other.mp3", "x"));
    ASSERT_EQ(OpenProjectFile(path, open, sink), ProjectFileResult::kOk);
    EXPECT_EQ(open.pictureList, file_project.pictureList);
    EXPECT_EQ(open.musicList, file_project.musicList);
}

TEST_F(ProjectFiles, SavingDropsMissingFilesAndReportsThemAfterEachList) {
    CParamData p = FullProject();
    std::string gone = folder.File("gone.jpg");
    p.pictureList.insert(p.pictureList.begin() + 1, CPictureData{gone, {}});
    ASSERT_EQ(p.pictureList.size(), 3u);
    std::string path = folder.File("p.psm");
    ASSERT_EQ(SaveProjectFile(path, p, sink), ProjectFileResult::kOk);
    ASSERT_EQ(sink.messages.size(), 2u);
    EXPECT_EQ(sink.messages[0], gone + "\ncan't find!");
    EXPECT_EQ(sink.messages[1], gone + "\ncan't find!");
    EXPECT_EQ(p.pictureList.size(), 2u);  // dropped from the project as well
    std::vector<uint8_t> bytes = test::ReadBytes(path);
    EXPECT_EQ(ReadI32(bytes.data() + 60), 2);

    // Missing music is listed after the pictures in the second message only.
    sink.messages.clear();
    p.pictureList.push_back({gone, {}});
    p.musicList.push_back("");
    ASSERT_EQ(SaveProjectFile(path, p, sink), ProjectFileResult::kOk);
    ASSERT_EQ(sink.messages.size(), 2u);
    EXPECT_EQ(sink.messages[0], gone + "\ncan't find!");
    EXPECT_EQ(sink.messages[1], gone + "\n\ncan't find!");
}

TEST_F(ProjectFiles, OpeningDropsMissingFilesWithOneMessage) {
    CParamData p = FullProject();
    std::string path = folder.File("p.psm");
    ASSERT_EQ(SaveProjectFile(path, p, sink), ProjectFileResult::kOk);
    std::filesystem::remove(p.pictureList[0].szFile);
    std::filesystem::remove(p.musicList[1]);
    CParamData opened;
    ASSERT_EQ(OpenProjectFile(path, opened, sink), ProjectFileResult::kOk);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0], p.pictureList[0].szFile + "\n" + p.musicList[1] + "\ncan't find!");
    ASSERT_EQ(opened.pictureList.size(), 1u);
    EXPECT_EQ(opened.pictureList[0], p.pictureList[1]);
    EXPECT_EQ(opened.musicList, std::vector<std::string>{p.musicList[0]});
}

TEST_F(ProjectFiles, EveryFaceNameAFileHoldsSavesAndOpensAsItOpened) {
    RecordingSink quiet;
    const std::vector<uint8_t> empty = [&] {
        CParamData p;
        return StoreProject(p, quiet);
    }();
    auto open_with_face = [&](std::string field) {
        std::vector<uint8_t> bytes = empty;
        field.resize(32, '\0');
        std::copy(field.begin(), field.end(), bytes.begin() + 28);
        CParamData opened;
        EXPECT_TRUE(LoadProject(bytes, opened, quiet));
        return opened;
    };
    struct Case {
        std::string field;  // the face name field's bytes
        std::string name;   // the name it opens as
    };
    const Case cases[] = {
        // A full field: the 32nd byte sits where the NUL belongs and is no part of the name.
        {"MS Sans Serif p=/gd-fuzz\xAD" "1234567", "MS Sans Serif p=/gd-fuzz\u00AD" "123456"},
        {std::string(32, 'G'), std::string(31, 'G')},
        {"Fa\xE7" "ade", "Façade"},
        // UTF-8 as the Linux maker once stored it: names the code page lacks, and one whose
        // code-page bytes (C3 A9) would read as the UTF-8 of another name.
        {"\xEF\xBC\xAD\xEF\xBC\xB3 \xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF", "ＭＳ ゴシック"},
        {"\xC3\x83\xC2\xA9", "Ã©"},
    };
    for (const Case& c : cases) {
        CParamData opened = open_with_face(c.field);
        EXPECT_EQ(opened.lfBanner.face_name, c.name);
        CParamData copy = opened;
        CParamData again;
        ASSERT_TRUE(LoadProject(StoreProject(copy, quiet), again, quiet));
        EXPECT_EQ(again, opened) << c.name;
    }

    // Names typed in: kept whole, a longer one than the field in the extension block.
    CParamData typed;
    typed.lfBanner.face_name = "ＭＳ ゴシック";
    typed.pictureList.push_back({folder.Write("one.jpg", "x"), {}});
    typed.pictureList.back().lfCaptionFont.face_name = std::string(5, 'x') + "東京都新宿区西新宿二丁目";
    std::string path = folder.File("faces.psm");
    ASSERT_EQ(SaveProjectFile(path, typed, sink), ProjectFileResult::kOk);
    CParamData opened;
    ASSERT_EQ(OpenProjectFile(path, opened, sink), ProjectFileResult::kOk);
    EXPECT_EQ(opened.lfBanner.face_name, "ＭＳ ゴシック");
    EXPECT_EQ(opened.pictureList.at(0).lfCaptionFont.face_name, std::string(5, 'x') + "東京都新宿区西新宿二丁目");
}

TEST_F(ProjectFiles, AFileThatEndsEarlyLeavesTheOpenProjectUntouched) {
    CParamData p = FullProject();
    p.reserved.sz4 = "short";
    RecordingSink quiet;
    std::vector<uint8_t> bytes = StoreProject(p, quiet);
    CParamData open = FullProject();
    open.szName = "Open project";
    const CParamData before = open;
    std::string path = folder.File("cut.psm");
    for (size_t size = 1; size < bytes.size(); ++size) {
        folder.Write("cut.psm", std::vector<uint8_t>(bytes.begin(), bytes.begin() + size));
        ASSERT_EQ(OpenProjectFile(path, open, sink), ProjectFileResult::kReadFailed) << size;
        ASSERT_EQ(open, before) << size;
    }
    EXPECT_TRUE(sink.messages.empty());
    // Bytes after the last field are ignored.
    bytes.push_back(0x42);
    folder.Write("cut.psm", bytes);
    EXPECT_EQ(OpenProjectFile(path, open, sink), ProjectFileResult::kOk);
}

TEST_F(ProjectFiles, HugeCountsAndLengthsAreReadErrors) {
    CParamData p;
    RecordingSink quiet;
    std::vector<uint8_t> bytes = StoreProject(p, quiet);
    CParamData open;
    std::vector<uint8_t> huge_count = bytes;
    WriteI32(huge_count.data() + 60, 0x7FFFFFFF);
    EXPECT_FALSE(LoadProject(huge_count, open, quiet));
    WriteI32(huge_count.data() + 60, -1);
    EXPECT_FALSE(LoadProject(huge_count, open, quiet));
    std::vector<uint8_t> huge_music = bytes;
    WriteI32(huge_music.data() + 64, 0x40000000);
    EXPECT_FALSE(LoadProject(huge_music, open, quiet));
    // szName with a four-byte length far beyond the file.
    std::vector<uint8_t> huge_text(bytes.begin(), bytes.begin() + 132);
    for (uint8_t b : {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}) huge_text.push_back(b);
    huge_text.insert(huge_text.end(), bytes.begin() + 133, bytes.end());
    EXPECT_FALSE(LoadProject(huge_text, open, quiet));
}

TEST_F(ProjectFiles, OpenFailuresAndAnEmptyFile) {
    CParamData open = FullProject();
    const CParamData before = open;
    EXPECT_EQ(OpenProjectFile(folder.File("absent.psm"), open, sink), ProjectFileResult::kOpenFailed);
    EXPECT_EQ(OpenProjectFile(folder.path().string(), open, sink), ProjectFileResult::kReadFailed);
    EXPECT_EQ(open, before);
    // A zero-length file opens as a new project.
    std::string empty = folder.Write("empty.psm", std::vector<uint8_t>{});
    ASSERT_EQ(OpenProjectFile(empty, open, sink), ProjectFileResult::kOk);
    EXPECT_TRUE(open.pictureList.empty());
    EXPECT_EQ(open.szName, "");
    EXPECT_EQ(open.nPicturePause, 3);
}

TEST_F(ProjectFiles, AFailedSaveLeavesNoTemporaryFileAndNothingHalfWritten) {
    CParamData p = FullProject();
    EXPECT_EQ(SaveProjectFile(folder.File("no/such/folder.psm"), p, sink), ProjectFileResult::kWriteFailed);
    // A folder in the target's place: the rename fails, the folder stays.
    std::filesystem::create_directory(folder.File("taken.psm"));
    folder.Write("taken.psm/inside", "keep");
    EXPECT_EQ(SaveProjectFile(folder.File("taken.psm"), p, sink), ProjectFileResult::kWriteFailed);
    EXPECT_EQ(test::ReadBytes(folder.File("taken.psm/inside")), std::vector<uint8_t>({'k', 'e', 'e', 'p'}));
    // A successful save replaces the old file and leaves only it behind.
    std::string path = folder.Write("p.psm", "old contents");
    ASSERT_EQ(SaveProjectFile(path, p, sink), ProjectFileResult::kOk);
    size_t files = 0;
    for (const auto& e : std::filesystem::directory_iterator(folder.path()))
        files += e.path().filename().string().rfind("p.psm", 0) == 0;
    EXPECT_EQ(files, 1u);
    CParamData back;
    EXPECT_EQ(OpenProjectFile(path, back, sink), ProjectFileResult::kOk);
    EXPECT_EQ(back.szName, "Name");
}

#ifndef _WIN32
TEST_F(ProjectFiles, SavingGoesThroughLinksAndKeepsTheFilesMode) {
    namespace fs = std::filesystem;
    CParamData p = FullProject();
    std::string real = folder.Write("real.psm", "old");
    fs::permissions(real, fs::perms(0640));
    fs::create_symlink("real.psm", folder.File("link.psm"));  // relative, as users make them
    ASSERT_EQ(SaveProjectFile(folder.File("link.psm"), p, sink), ProjectFileResult::kOk);
    EXPECT_TRUE(fs::is_symlink(folder.File("link.psm")));
    EXPECT_EQ(fs::status(real).permissions(), fs::perms(0640));
    CParamData back;
    ASSERT_EQ(OpenProjectFile(real, back, sink), ProjectFileResult::kOk);
    EXPECT_EQ(back.szName, "Name");

    // A hard link sees the new content too.
    fs::create_hard_link(real, folder.File("hard.psm"));
    p.szName = "Again";
    ASSERT_EQ(SaveProjectFile(folder.File("hard.psm"), p, sink), ProjectFileResult::kOk);
    ASSERT_EQ(OpenProjectFile(real, back, sink), ProjectFileResult::kOk);
    EXPECT_EQ(back.szName, "Again");
    EXPECT_EQ(fs::hard_link_count(real), 2u);
    EXPECT_EQ(fs::status(real).permissions(), fs::perms(0640));

    // A link to a file not there yet creates the file it names.
    fs::create_symlink(folder.File("later.psm"), folder.File("ahead.psm"));
    ASSERT_EQ(SaveProjectFile(folder.File("ahead.psm"), p, sink), ProjectFileResult::kOk);
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(folder.File("later.psm"))));
    EXPECT_TRUE(fs::is_symlink(folder.File("ahead.psm")));
    size_t leftovers = 0;
    for (const auto& e : fs::directory_iterator(folder.path())) leftovers += e.path().filename().string().find(".psm.") != std::string::npos;
    EXPECT_EQ(leftovers, 0u);
}

TEST_F(ProjectFiles, FailuresSayWhy) {
    CParamData p = FullProject();
    FileError error;
    EXPECT_EQ(OpenProjectFile(folder.File("none.psm"), p, sink, &error), ProjectFileResult::kOpenFailed);
    EXPECT_EQ(error.text, "No such file or directory");
    EXPECT_EQ(ProjectFileErrorText(ProjectFileResult::kOpenFailed, "/x/none.psm", error.text),
              "Cannot open the project file /x/none.psm: No such file or directory");
    EXPECT_EQ(OpenProjectFile(folder.path().string(), p, sink, &error), ProjectFileResult::kReadFailed);
    EXPECT_EQ(error.text, "Is a directory");
    std::filesystem::create_directory(folder.File("locked"));
    std::filesystem::permissions(folder.File("locked"), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    if (::geteuid() != 0) {  // root may write anywhere
        EXPECT_EQ(SaveProjectFile(folder.File("locked/p.psm"), p, sink, &error), ProjectFileResult::kWriteFailed);
        EXPECT_EQ(error.text, "Permission denied");
    }
    std::filesystem::permissions(folder.File("locked"), std::filesystem::perms::owner_all);
}
#endif

TEST_F(ProjectFiles, TheDocumentRefusesToSaveAnIllegalNameAndTracksPathAndTitle) {
    CScreenSaverDoc doc(folder.path().string());
    doc.project().szName = "a:b";
    std::string path = folder.File("doc.psm");
    EXPECT_EQ(doc.Save(path, sink), ProjectFileResult::kBadName);
    EXPECT_FALSE(std::filesystem::exists(path));
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0], "Screensaver name can't contain :\n / \\ : * ? \" < > |     \nThis name contains \":\".");
    doc.project().szName = "";  // an empty name does not prevent saving
    doc.SetModifiedFlag();
    ASSERT_EQ(doc.Save(path, sink), ProjectFileResult::kOk);
    EXPECT_EQ(doc.GetTitle(), "doc.psm");
    EXPECT_FALSE(doc.IsModified());
    CScreenSaverDoc other(folder.path().string());
    other.project().szName = "Kept";
    EXPECT_EQ(other.Open(folder.File("absent.psm"), sink), ProjectFileResult::kOpenFailed);
    EXPECT_EQ(other.project().szName, "Kept");
    EXPECT_EQ(other.GetTitle(), "Untitled");
    ASSERT_EQ(other.Open(path, sink), ProjectFileResult::kOk);
    EXPECT_EQ(other.path(), path);
}

TEST_F(ProjectFiles, TheDocumentReloadsTheCaptionDefaultsOnNewOpenAndSave) {
    std::filesystem::create_directories(folder.path() / "data");
    CScreenSaverDoc doc(folder.path().string());
    EXPECT_EQ(doc.lfDefaultCaptionFont.weight, 700);
    LogFont font = doc.lfDefaultCaptionFont;
    font.weight = 400;
    ASSERT_TRUE(SaveCaptionDefaults(folder.path().string(), font, 0, 0x00FF00));
    std::string path = folder.File("doc.psm");
    ASSERT_EQ(doc.Save(path, sink), ProjectFileResult::kOk);
    EXPECT_EQ(doc.lfDefaultCaptionFont.weight, 400);
    EXPECT_EQ(doc.nDefaultCaptionPos, 0);
    EXPECT_EQ(doc.crDefaultCaptionColor, 0x00FF00u);
    EXPECT_EQ(doc.DefaultCaptionStyle().font.weight, 400);

    font.weight = 100;
    ASSERT_TRUE(SaveCaptionDefaults(folder.path().string(), font, 3, 0x0000FF));
    ASSERT_EQ(doc.Open(path, sink), ProjectFileResult::kOk);
    EXPECT_EQ(doc.lfDefaultCaptionFont.weight, 100);
    font.weight = 200;
    ASSERT_TRUE(SaveCaptionDefaults(folder.path().string(), font, 5, 0x0000FF));
    doc.OnNewDocument();
    EXPECT_EQ(doc.lfDefaultCaptionFont.weight, 200);
    EXPECT_EQ(doc.nDefaultCaptionPos, 5);
}

}  // namespace
}  // namespace gd
