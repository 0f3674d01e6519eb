// The project file's extension block: bMovePicture is kept there, files of before read
// and write back byte for byte, what a later version adds survives this one, and a
// damaged block never costs the project.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <utility>

#include "common/byte_io.h"
#include "maker/project/project_extension.h"
#include "maker/project/project_file.h"
#include "maker/project/project_options.h"
#include "tests/common/host_path.h"
#include "tests/maker/project/temp_folder.h"

namespace gd {
namespace {

struct RecordingSink : MessageSink {
    void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
    std::vector<std::string> messages;
};

std::vector<uint8_t> Concat(std::vector<uint8_t> a, std::span<const uint8_t> b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<uint8_t> Block(std::vector<KeyedEntry> entries) {
    return EncodeKeyedRecord(kProjectExtensionMagic, entries);
}

const KeyedEntry kLaterText{"szLater", uint8_t(EntryType::kText16), {'h', 0, 'i', 0}};
const KeyedEntry kLaterNumber = Int32Entry("nLater", 7);

class ExtensionBlock : public ::testing::Test {
protected:
    void SetUp() override {
        SetAbsentOptions(project);  // a project as versions before the block saved it
        project.szOutputFolder = "/out";
        project.szBanner = "Banner";
        today = StoreProject(project, sink);  // bMovePicture 1: the bytes of before, pinned by project_file_test
    }
    CParamData Load(std::span<const uint8_t> bytes) {
        CParamData loaded;
        loaded.bMovePicture = 0;  // what an open project held before: not what the file says
        EXPECT_TRUE(LoadProject(bytes, loaded, sink));
        return loaded;
    }
    std::vector<uint8_t> Store(CParamData p) { return StoreProject(p, sink); }

    CParamData project;
    RecordingSink sink;
    std::vector<uint8_t> today;
};

TEST_F(ExtensionBlock, MovePictureOffGoesIntoABlockAfterTheFixedItemsAndComesBack) {
    CParamData off = project;
    off.bMovePicture = 0;
    std::vector<uint8_t> bytes = Store(off);
    EXPECT_EQ(bytes, Concat(today, Block({Int32Entry("bMovePicture", 0)})));
    EXPECT_EQ(Load(bytes), off);
    EXPECT_TRUE(sink.messages.empty());
}

// The box pictures are fitted into when made: only a box goes into the block; a file
// without it opens with none (the pictures' own size, as every build before made them).
TEST_F(ExtensionBlock, TheFitBoxGoesIntoTheBlockAndIsOffWithoutIt) {
    EXPECT_EQ(project.nFitWidth, 0);
    EXPECT_EQ(project.nFitHeight, 0);
    CParamData fitted = project;
    fitted.nFitWidth = 1920;
    fitted.nFitHeight = 1080;
    std::vector<uint8_t> bytes = Store(fitted);
    // The block's first entry comes always; of the rest, those that say something.
    EXPECT_EQ(bytes, Concat(today, Block({Int32Entry("bMovePicture", 1), Int32Entry("nFitWidth", 1920),
                                          Int32Entry("nFitHeight", 1080)})));
    EXPECT_EQ(Load(bytes), fitted);
    CParamData fitted_before = Load(today);
    EXPECT_EQ(fitted_before.nFitWidth, 0);
    EXPECT_EQ(fitted_before.nFitHeight, 0);
}

TEST_F(ExtensionBlock, AFileWithoutTheBlockReadsAsBeforeAndWritesBackByteForByte) {
    CParamData loaded = Load(today);
    EXPECT_EQ(loaded.bMovePicture, 1) << "whatever the project open before held";
    EXPECT_EQ(loaded, project);
    EXPECT_EQ(Store(loaded), today);

    // Bytes after the last item that are no block were always skipped, and still are.
    for (std::vector<uint8_t> tail : {std::vector<uint8_t>{0x42}, std::vector<uint8_t>{'G', 'D', 'P'},
                                      std::vector<uint8_t>{'G', 'D', 'S', 'X', 1, 0, 12, 0, 12, 0, 0, 0}}) {
        CParamData with_tail = Load(Concat(today, tail));
        EXPECT_EQ(with_tail, project) << tail.size();
        EXPECT_EQ(Store(with_tail), today) << tail.size();
    }
    EXPECT_TRUE(sink.messages.empty());
}

// Where the show plays on several monitors, and whether its texts follow each monitor's
// DPI: a project saved before says neither and plays on the primary monitor with texts
// as they were; a new project shows a picture on each monitor and scales its texts, and
// says so in its block.
TEST_F(ExtensionBlock, MonitorModeAndTextScaleOfOldAndNewProjects) {
    CParamData old = Load(today);
    EXPECT_EQ(old.nMonitorMode, 0);
    EXPECT_EQ(old.bScaleTexts, 0);

    CParamData fresh;
    SetOptionDefaults(fresh);
    EXPECT_EQ(fresh.nMonitorMode, 2);
    EXPECT_EQ(fresh.bScaleTexts, 1);
    CParamData mode_only = project;
    mode_only.nMonitorMode = 1;
    std::vector<uint8_t> bytes = Store(mode_only);
    EXPECT_EQ(bytes, Concat(today, Block({Int32Entry("bMovePicture", 1), Int32Entry("nMonitorMode", 1)})));
    EXPECT_EQ(Load(bytes), mode_only);
}

// Settings that change what a project makes: a project saved before them opens with them
// off, so it makes what it made then (colours as stored, captions as typed, "{date}"
// included); a new project has them on.
TEST_F(ExtensionBlock, SettingsNewerThanAProjectAreOffInItAndOnInNewOnes) {
    CParamData fresh;
    SetOptionDefaults(fresh);
    const std::pair<int32_t CParamData::*, const char*> settings[] = {{&CParamData::bTrueColours, "bTrueColours"},
                                                                       {&CParamData::bCaptionFields, "bCaptionFields"}};
    for (const auto& [member, key] : settings) {
        SCOPED_TRACE(key);
        EXPECT_EQ(Load(today).*member, 0);
        EXPECT_EQ(fresh.*member, 1);
        CParamData turned_on = project;
        turned_on.*member = 1;
        std::vector<uint8_t> bytes = Store(turned_on);
        EXPECT_EQ(bytes, Concat(today, Block({Int32Entry("bMovePicture", 1), Int32Entry(key, 1)})));
        EXPECT_EQ(Load(bytes), turned_on);
    }
}

TEST_F(ExtensionBlock, WhatALaterVersionAddsIsKeptAndWrittenBack) {
    // Entries this version does not know, and bytes after the block.
    const std::vector<uint8_t> more = {'M', 'O', 'R', 'E'};
    for (int32_t move : {0, 1}) {
        const std::vector<uint8_t> file =
            Concat(Concat(today, Block({Int32Entry("bMovePicture", move), kLaterText, kLaterNumber})), more);
        CParamData loaded = Load(file);
        EXPECT_EQ(loaded.bMovePicture, move);
        EXPECT_EQ(loaded.extension.unknown_entries, (std::vector<KeyedEntry>{kLaterText, kLaterNumber}));
        EXPECT_EQ(loaded.extension.trailing, more);
        EXPECT_EQ(Store(loaded), file) << "with bMovePicture " << move;
    }
    // A block without bMovePicture stands for its default.
    CParamData loaded = Load(Concat(today, Block({kLaterNumber})));
    EXPECT_EQ(loaded.bMovePicture, 1);
    EXPECT_EQ(Store(loaded), Concat(today, Block({Int32Entry("bMovePicture", 1), kLaterNumber})));
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(ExtensionBlock, AKnownEntryThatCannotBeUsedIsDropped) {
    for (const KeyedEntry& bad : {Int32Entry("bMovePicture", 2), Int32Entry("bMovePicture", -1),
                                  KeyedEntry{"bMovePicture", uint8_t(EntryType::kBytes), {0, 0, 0, 0}}}) {
        CParamData loaded = Load(Concat(today, Block({bad})));
        EXPECT_EQ(loaded, project) << "bMovePicture as a file without a block reads it";
        EXPECT_EQ(Store(loaded), today);
    }
}

// tests/inputs/psm/block_*.psm: a new project's file followed by a damaged block that
// holds bMovePicture 0. The project opens; the block's settings have their defaults.
TEST_F(ExtensionBlock, ADamagedBlockIsIgnoredWithAMessageAndTheProjectOpens) {
    const std::filesystem::path folder = testing::HostPath(std::getenv("GD_TEST_INPUTS")) + "/psm";
    int count = 0;
    for (const auto& file : std::filesystem::directory_iterator(folder)) {
        if (file.path().filename().string().rfind("block_", 0) != 0) continue;
        ++count;
        sink.messages.clear();
        CParamData opened;
        opened.bMovePicture = 0;
        ASSERT_EQ(OpenProjectFile(file.path().string(), opened, sink), ProjectFileResult::kOk) << file.path();
        EXPECT_EQ(sink.messages, std::vector<std::string>{DamagedExtensionText()}) << file.path();
        EXPECT_EQ(opened.bMovePicture, 1) << file.path();
        EXPECT_TRUE(opened.extension.empty());
        // Saved again, the damaged block is gone: the file is the new project's alone.
        std::vector<uint8_t> bytes = test::ReadBytes(file.path().string());
        const std::vector<uint8_t> magic(kProjectExtensionMagic.begin(), kProjectExtensionMagic.end());
        auto block = std::search(bytes.begin(), bytes.end(), magic.begin(), magic.end());
        EXPECT_EQ(Store(opened), std::vector<uint8_t>(bytes.begin(), block)) << file.path();
    }
    EXPECT_GE(count, 3);
    EXPECT_NE(DamagedExtensionText().find("bMovePicture"), std::string::npos) << "it names what was reset";
}

TEST_F(ExtensionBlock, AFileCutInsideItsBlockStillOpens) {
    CParamData off = project;
    off.bMovePicture = 0;
    std::vector<uint8_t> whole = Store(off);
    for (size_t size = today.size() + 4; size < whole.size(); ++size) {
        sink.messages.clear();
        CParamData loaded;
        ASSERT_TRUE(LoadProject(std::span(whole).first(size), loaded, sink)) << size;
        EXPECT_EQ(loaded, project) << size;
        EXPECT_EQ(sink.messages.size(), 1u) << size;
    }
}

}  // namespace
}  // namespace gd
