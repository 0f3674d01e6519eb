// The Linux runtime's pieces that need no display: the payload read from a mapped file,
// the command line, the loop's timers and the temporary track files.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "common/resource_types.h"
#include "resources/byte_source.h"
#include "runtime/linux/mapped_file.h"
#include "runtime/platform_track_files.h"
#include "runtime/linux/reelhost_options.h"
#include "runtime/linux/timer_table.h"
#include "runtime/payload_reader.h"
#include "runtime/pe_resource_source.h"
#include "tests/common/temp_folder.h"

namespace gd {
namespace {

const std::string kPayloadExe = GD_PAYLOAD_EXE;  // a small made screensaver of the fuzz corpus

std::vector<uint8_t> ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(PeResourceSource, GivesEveryEntryAsAViewOfTheMappedFile) {
    std::string why;
    auto file = MappedFile::Open(kPayloadExe, &why);
    ASSERT_TRUE(file) << why;
    auto source = PeResourceSource::Parse(file->bytes(), file, &why);
    ASSERT_TRUE(source) << why;
    auto config = LoadSaverConfig(*source);
    ASSERT_TRUE(config);
    EXPECT_EQ(config->name, "Seed Show");

    // The same bytes as the resource reader copies, lying inside the mapping.
    auto parsed = res::ReadPeResources(kPayloadExe);
    ASSERT_TRUE(parsed);
    auto reader = res::FileSource::Open(kPayloadExe);
    for (uint16_t type : {RT_SAVER_PICTURE, RT_SAVER_CAPTION, RT_SAVER_MUSIC}) {
        auto view = source->Find(type, 0);
        ASSERT_TRUE(view) << type;
        auto copy = res::ReadEntryBytes(*reader, *parsed->table.Find(type, 0));
        ASSERT_TRUE(copy);
        EXPECT_TRUE(std::equal(view->begin(), view->end(), copy->begin(), copy->end())) << type;
        EXPECT_GE(view->data(), file->bytes().data());
        EXPECT_LE(view->data() + view->size(), file->bytes().data() + file->bytes().size());
    }
    EXPECT_FALSE(source->Find(RT_SAVER_PICTURE, 1));
    EXPECT_FALSE(source->Find(4242, 0));
}

// A download cut short: the file is refused as a whole, or the entries past its end are
// missing; nothing is ever read past the end.
TEST(PeResourceSource, AFileCutShortNeverGivesBytesPastItsEnd) {
    const auto whole = ReadAll(kPayloadExe);
    auto parsed = res::ReadPeResources(kPayloadExe);
    ASSERT_TRUE(parsed);
    int refused = 0, cut_entries = 0;
    for (const auto& cut : parsed->table.entries) {
        std::vector<uint8_t> bytes(whole.begin(), whole.begin() + ptrdiff_t(cut.file_offset + cut.size / 2));
        auto source = PeResourceSource::Parse(bytes, nullptr);
        if (!source) {
            ++refused;
            continue;
        }
        for (const auto& e : parsed->table.entries) {
            auto view = source->Find(e.key.type.id, e.key.name.id);
            if (e.file_offset + e.size > bytes.size()) {
                EXPECT_FALSE(view) << "an entry past the end";
                ++cut_entries;
            } else {
                EXPECT_TRUE(view);
            }
        }
    }
    EXPECT_GT(refused + cut_entries, 0);
}

TEST(PeResourceSource, RefusesWhatIsNoExecutable) {
    std::string why;
    std::vector<uint8_t> text(4096, 'x');
    EXPECT_FALSE(PeResourceSource::Parse(text, nullptr, &why));
    EXPECT_FALSE(why.empty());
    gd::testing::TempFolder folder;
    EXPECT_FALSE(MappedFile::Open(folder.File("missing.scr"), &why));
    EXPECT_NE(why.find("cannot open"), std::string::npos) << why;
    EXPECT_FALSE(MappedFile::Open(folder.Write("empty.scr", ""), &why)) << "an empty file maps nothing";
    EXPECT_FALSE(MappedFile::Open(folder.File(""), &why)) << "a folder is no file";
}

ReelhostParse Parse(std::initializer_list<std::string_view> args, const char* host = nullptr) {
    std::vector<std::string_view> v(args);
    return ParseReelhostOptions(v, host);
}

TEST(ReelhostOptions, ModesAndTheHostsWindow) {
    auto plain = Parse({"show.scr"});
    EXPECT_EQ(plain.error, "");
    EXPECT_EQ(plain.options.mode, ReelhostMode::kWindow);
    EXPECT_EQ(plain.options.file, "show.scr");

    EXPECT_EQ(Parse({"--fullscreen", "show.scr"}).options.mode, ReelhostMode::kFullScreen);
    EXPECT_EQ(Parse({"-root", "show.scr"}).options.mode, ReelhostMode::kRoot);
    auto id = Parse({"--window-id", "0x1e00003", "--file", "show.scr"});
    EXPECT_EQ(id.options.mode, ReelhostMode::kForeignWindow);
    EXPECT_EQ(id.options.window_id, 0x1e00003ul);

    // A screensaver host passes -root and names its window in the environment.
    auto hosted = Parse({"-root", "show.scr"}, "0x400007");
    EXPECT_EQ(hosted.options.mode, ReelhostMode::kForeignWindow);
    EXPECT_EQ(hosted.options.window_id, 0x400007ul);
    EXPECT_EQ(Parse({"show.scr"}, "4194311").options.window_id, 4194311ul);
    // Asked for explicitly, the program's own windows and a named window win.
    EXPECT_EQ(Parse({"--window", "show.scr"}, "0x400007").options.mode, ReelhostMode::kWindow);
    EXPECT_EQ(Parse({"--window-id", "0x10", "show.scr"}, "0x400007").options.window_id, 0x10ul);
    // A variable that names no window is ignored.
    EXPECT_EQ(Parse({"-root", "show.scr"}, "junk").options.mode, ReelhostMode::kRoot);
}

TEST(ReelhostOptions, ValuesAreCheckedAgainstTheOptionsRanges) {
    auto good = Parse({"--effect-ms", "2500", "--picture-pause", "0", "--geometry", "640x480", "a.scr"});
    EXPECT_EQ(good.error, "");
    EXPECT_EQ(good.options.effect_ms, 2500);
    EXPECT_EQ(good.options.picture_pause_s, 0);
    EXPECT_EQ(good.options.width, 640);
    EXPECT_EQ(good.options.height, 480);

    for (auto args : std::vector<std::vector<std::string_view>>{
             {},                                          // no file
             {"a.scr", "b.scr"},                          // two files
             {"--root", "--fullscreen", "a.scr"},         // two modes
             {"--window-id", "0", "a.scr"},               // no window
             {"--window-id", "0xZZ", "a.scr"},
             {"--window-id"},
             {"--effect-ms", "-1", "a.scr"},
             {"--effect-ms", "600001", "a.scr"},
             {"--picture-pause", "3601", "a.scr"},
             {"--picture-pause", "5s", "a.scr"},
             {"--geometry", "640", "a.scr"},
             {"--colour", "a.scr"},
         }) {
        EXPECT_NE(ParseReelhostOptions(args, nullptr).error, "") << (args.empty() ? "" : args[0]);
    }
    EXPECT_TRUE(Parse({"--help"}).options.help);
    EXPECT_EQ(Parse({"--help"}).error, "") << "help needs no file";
}

TEST(TimerTable, PeriodicTimersFireInTheOrderTheyFellDue) {
    TimerTable t;
    EXPECT_FALSE(t.NextDueIn(0));
    t.Set(1, 1000, 0);
    t.Set(2, 250, 0);
    EXPECT_EQ(t.NextDueIn(100), 150u);
    EXPECT_TRUE(t.TakeDue(200).empty());
    EXPECT_EQ(t.TakeDue(1100), (std::vector<unsigned>{2, 1}));
    // Set again from the moment they fired, so a late loop gets no burst.
    EXPECT_EQ(t.NextDueIn(1100), 250u);
    EXPECT_EQ(t.TakeDue(1350), (std::vector<unsigned>{2}));
    // Setting a pending timer restarts its countdown; a killed one is gone.
    t.Set(1, 1000, 2000);
    EXPECT_TRUE(t.TakeDue(2500) == std::vector<unsigned>{2});
    t.Kill(2);
    EXPECT_FALSE(t.pending(2));
    EXPECT_EQ(t.NextDueIn(2500), 500u);
    EXPECT_EQ(t.NextDueIn(9999), 0u) << "overdue";
}

TEST(PlatformTrackFiles, WritesPrivatelyAndNeverFollowsALink) {
    gd::testing::TempFolder folder;
    PlatformTrackFiles files;
    const std::string target = folder.Write("victim.txt", "keep");
    const std::string track = folder.File("ID0.WAV");
    std::filesystem::create_symlink(target, track);
    auto writer = files.Create(track);
    ASSERT_TRUE(writer);
    const uint8_t bytes[] = {'R', 'I', 'F', 'F'};
    EXPECT_TRUE(writer->Write(bytes));
    EXPECT_TRUE(writer->Close());
    EXPECT_EQ(ReadAll(target), (std::vector<uint8_t>{'k', 'e', 'e', 'p'})) << "the link's target is untouched";
    EXPECT_FALSE(std::filesystem::is_symlink(track));
    EXPECT_EQ(ReadAll(track), (std::vector<uint8_t>{'R', 'I', 'F', 'F'}));
    struct stat st {};
    ASSERT_EQ(stat(track.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_TRUE(files.Exists(track));
    files.Remove(track);
    EXPECT_FALSE(files.Exists(track));
    EXPECT_EQ(TemporaryFolder().back(), '/');
}

}  // namespace
}  // namespace gd
