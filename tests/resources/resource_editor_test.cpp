#include "resources/resource_editor.h"

#include <gtest/gtest.h>

#include <map>

#include "common/byte_io.h"
#include "resources/pe_checksum.h"
#include "resources/resource_table.h"
#include "resources/write_resource.h"
#include "tests/resources/sample_files.h"

namespace gd::res {
namespace {

using test::ReadAll;

std::vector<uint8_t> Filled(size_t n, uint8_t seed) {
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i) v[i] = uint8_t(seed + i * 7);
    return v;
}

// Every entry of a file with its bytes, for comparing whole tables.
std::map<ResourceKey, std::vector<uint8_t>> Contents(const std::string& path) {
    auto parsed = ReadPeResources(path);
    EXPECT_TRUE(parsed) << parsed.error();
    std::map<ResourceKey, std::vector<uint8_t>> out;
    if (!parsed) return out;
    auto source = FileSource::Open(path);
    for (const auto& e : parsed->table.entries) out[e.key] = ReadEntryBytes(*source, e).value();
    return out;
}

ResourceKey Key(uint16_t type, uint16_t id, uint16_t language = kLanguageEnUs) {
    return {ResourceName::Id(type), ResourceName::Id(id), language};
}

// Header invariants of a file the editor wrote.
void ExpectConsistentHeaders(const std::string& path) {
    auto bytes = ReadAll(path);
    MemorySource source(bytes);
    auto h = ParsePeHeaders(source);
    ASSERT_TRUE(h);
    uint64_t image_end = 0;
    for (const auto& s : h->sections) {
        EXPECT_EQ(s.raw_offset % h->file_alignment, 0u);
        EXPECT_EQ(s.raw_size % h->file_alignment, 0u);
        EXPECT_EQ(s.virtual_address % h->section_alignment, 0u);
        EXPECT_LE(s.raw_end(), bytes.size());
        image_end = std::max(image_end, s.virtual_end());
    }
    EXPECT_EQ(h->size_of_image, AlignUp(image_end, h->section_alignment));
    const auto& rsrc = h->sections[*h->SectionOf(h->directory(kResourceDirectory).rva)];
    EXPECT_EQ(h->directory(kResourceDirectory).rva, rsrc.virtual_address);
    EXPECT_EQ(h->directory(kResourceDirectory).size, rsrc.virtual_size);
    WriteU32(&bytes[h->checksum_offset()], 0);
    PeChecksum sum;
    sum.Add(bytes);
    EXPECT_EQ(h->checksum, sum.Finish());
}

class EditProbe : public ::testing::Test {
protected:
    void SetUp() override {
        sample_ = test::SamplePath("resource_probe.exe");
        if (sample_.empty()) GTEST_SKIP() << "no Windows build, so no sample executables";
        path_ = dir_.Copy(sample_, "edited.exe");
    }
    PeHeaders Headers(const std::string& path) {
        auto source = FileSource::Open(path);
        return ParsePeHeaders(*source).value();
    }
    test::ScratchDir dir_;
    std::string sample_;
    std::string path_;
};

TEST_F(EditProbe, KeepsEveryTemplateEntryAndAddsTheWrittenOnes) {
    auto before = Contents(path_);
    ResourceEditor editor;
    ASSERT_TRUE(editor.Open(path_)) << editor.error();
    std::map<ResourceKey, std::vector<uint8_t>> written;
    for (uint16_t id = 0; id < 300; ++id) written[Key(5000, id)] = Filled(id * 13 % 997, uint8_t(id));
    written[Key(5300, 0)] = Filled(744, 5);
    written[Key(5100, 0)] = {};  // an empty entry is still an entry
    for (const auto& [key, bytes] : written) ASSERT_TRUE(editor.Write(key.type.id, key.name.id, key.language, bytes));
    ASSERT_TRUE(editor.Commit()) << editor.error();

    auto after = Contents(path_);
    EXPECT_EQ(after.size(), before.size() + written.size());
    for (const auto& [key, bytes] : before) EXPECT_EQ(after[key], bytes) << key.type.ToString() << "/" << key.name.ToString();
    for (const auto& [key, bytes] : written) EXPECT_EQ(after[key], bytes) << key.name.id;
    ExpectConsistentHeaders(path_);
    EXPECT_EQ(dir_.Files(), std::vector<std::string>{"edited.exe"}) << "spool or temporary file left behind";
}

// The linker puts .rsrc before .reloc: the new table goes into a new last section, and
// nothing of the program moves, in the file or in memory.
TEST_F(EditProbe, AppendsASectionWhenTheResourcesAreNotLast) {
    PeHeaders old_h = Headers(path_);
    auto old_bytes = ReadAll(path_);
    // A certificate table in the overlay (its directory holds a file offset) must follow it.
    WriteU32(&old_bytes[old_h.directory_offset(kCertificateDirectory)], old_h.symbol_table_offset);
    WriteU32(&old_bytes[old_h.directory_offset(kCertificateDirectory) + 4], 16);
    test::WriteAll(path_, old_bytes);
    ASSERT_TRUE(WriteResource(path_, 5000, 0, Filled(5000, 1)));
    PeHeaders h = Headers(path_);
    auto bytes = ReadAll(path_);

    ASSERT_EQ(h.sections.size(), old_h.sections.size() + 1);
    const auto& added = h.sections.back();
    EXPECT_EQ(added.virtual_address, old_h.size_of_image);
    EXPECT_EQ(h.directory(kResourceDirectory).rva, added.virtual_address);
    EXPECT_EQ(h.size_of_initialized_data, old_h.size_of_initialized_data + added.raw_size);
    for (size_t i = 0; i < old_h.sections.size(); ++i) {
        const auto& s = old_h.sections[i];
        EXPECT_EQ(h.sections[i].raw_offset, s.raw_offset);
        EXPECT_EQ(h.sections[i].virtual_address, s.virtual_address);
        EXPECT_TRUE(std::equal(old_bytes.begin() + s.raw_offset, old_bytes.begin() + s.raw_end(), bytes.begin() + s.raw_offset));
    }
    ExpectConsistentHeaders(path_);

    // COFF symbols after the last section move behind the new one, pointer and all.
    ASSERT_NE(old_h.symbol_table_offset, 0u);
    EXPECT_EQ(h.symbol_table_offset, old_h.symbol_table_offset + (bytes.size() - old_bytes.size()));
    EXPECT_EQ(ReadU32(&bytes[h.directory_offset(kCertificateDirectory)]), h.symbol_table_offset);
    EXPECT_TRUE(std::equal(old_bytes.begin() + old_h.symbol_table_offset, old_bytes.end(), bytes.begin() + h.symbol_table_offset));
}

TEST_F(EditProbe, LaterCommitsRewriteTheLastSectionInPlace) {
    ASSERT_TRUE(WriteResource(path_, 5000, 0, Filled(100000, 1)));
    size_t sections = Headers(path_).sections.size();
    uint64_t big = ReadAll(path_).size();
    PeHeaders before = Headers(path_);
    auto before_bytes = ReadAll(path_);
    ASSERT_TRUE(WriteResource(path_, 5000, 0, Filled(10, 2)));
    PeHeaders h = Headers(path_);
    auto bytes = ReadAll(path_);
    EXPECT_EQ(h.sections.size(), sections);
    EXPECT_LT(bytes.size(), big - 90000);
    // The section shrank: the symbols after it move back, pointer and all.
    ASSERT_NE(before.symbol_table_offset, 0u);
    EXPECT_EQ(before.symbol_table_offset - h.symbol_table_offset, before_bytes.size() - bytes.size());
    EXPECT_TRUE(std::equal(before_bytes.begin() + before.symbol_table_offset, before_bytes.end(),
                           bytes.begin() + h.symbol_table_offset));
    EXPECT_EQ(Contents(path_)[Key(5000, 0)], Filled(10, 2));
    ExpectConsistentHeaders(path_);
}

// The section of the resource table, as the headers of `path` place it.
SectionHeader ResourceSection(const std::string& path) {
    auto source = FileSource::Open(path);
    PeHeaders h = ParsePeHeaders(*source).value();
    return h.sections[*h.SectionOf(h.directory(kResourceDirectory).rva)];
}

// A loader maps a section from the file only when it starts on a page boundary, and may
// copy the whole of it at start otherwise: a payload of hundreds of megabytes would be
// read before the first picture. Both the appended section and one rewritten in place
// (sample32's table is its last section, at 0x800) start on a page.
TEST_F(EditProbe, TheResourceSectionStartsOnAPageBoundary) {
    ASSERT_NE(ResourceSection(path_).raw_offset % 0x1000, 0u) << "the template's own table is already aligned";
    ASSERT_TRUE(WriteResource(path_, 5000, 0, Filled(9000, 1)));
    EXPECT_EQ(ResourceSection(path_).raw_offset % 0x1000, 0u);
    ASSERT_TRUE(WriteResource(path_, 5000, 1, Filled(5000, 2)));
    EXPECT_EQ(ResourceSection(path_).raw_offset % 0x1000, 0u);
    EXPECT_EQ(Contents(path_)[Key(5000, 0)], Filled(9000, 1));
    ExpectConsistentHeaders(path_);

    std::string sample = test::SamplePath("sample32.exe");
    if (sample.empty()) return;
    std::string in_place = dir_.Copy(sample, "in_place.exe");
    const SectionHeader before = ResourceSection(in_place);
    ASSERT_NE(before.raw_offset % 0x1000, 0u);
    auto entries = Contents(in_place);
    ASSERT_TRUE(WriteResource(in_place, 5000, 0, Filled(3000, 3)));
    const SectionHeader after = ResourceSection(in_place);
    EXPECT_EQ(after.virtual_address, before.virtual_address) << "rewritten in place";
    EXPECT_EQ(after.raw_offset % 0x1000, 0u);
    entries[Key(5000, 0)] = Filled(3000, 3);
    EXPECT_EQ(Contents(in_place), entries);
    ExpectConsistentHeaders(in_place);
}

TEST_F(EditProbe, WritingTheSameKeyTwiceKeepsOneEntryWithTheSecondBytes) {
    size_t count = Contents(path_).size();
    ASSERT_TRUE(WriteResource(path_, 5000, 0, Filled(64, 1)));
    ASSERT_TRUE(WriteResource(path_, 5000, 0, Filled(32, 9)));
    ResourceEditor editor;
    ASSERT_TRUE(editor.Open(path_));
    ASSERT_TRUE(editor.Write(5000, 1, kLanguageEnUs, Filled(8, 1)));
    ASSERT_TRUE(editor.Write(5000, 1, kLanguageEnUs, Filled(9, 3)));
    ASSERT_TRUE(editor.Commit());
    auto after = Contents(path_);
    EXPECT_EQ(after.size(), count + 2);
    EXPECT_EQ(after[Key(5000, 0)], Filled(32, 9));
    EXPECT_EQ(after[Key(5000, 1)], Filled(9, 3));
}

TEST_F(EditProbe, ALanguageOtherThanTheWrittenOneIsAnotherEntry) {
    ASSERT_TRUE(WriteResource(path_, 10, 1, Filled(3, 3)));  // RCDATA 1 exists in 0x0409 and 0x0407
    auto before = Contents(sample_);
    auto after = Contents(path_);
    EXPECT_EQ(after.size(), before.size());
    EXPECT_EQ(after[Key(10, 1)], Filled(3, 3));
    EXPECT_EQ(after[Key(10, 1, 0x0407)], before[Key(10, 1, 0x0407)]);
}

TEST_F(EditProbe, DiscardLeavesTheFileAndNoSpoolBehind) {
    auto original = ReadAll(path_);
    {
        ResourceEditor editor;
        ASSERT_TRUE(editor.Open(path_));
        ASSERT_TRUE(editor.Write(5000, 0, kLanguageEnUs, Filled(100, 1)));
    }
    EXPECT_EQ(ReadAll(path_), original);
    EXPECT_EQ(dir_.Files(), std::vector<std::string>{"edited.exe"});
}

TEST_F(EditProbe, NoRoomForAnotherSectionHeaderFailsAndChangesNothing) {
    auto bytes = ReadAll(path_);
    PeHeaders h = Headers(path_);
    std::fill(bytes.begin() + h.section_header_offset(h.sections.size()), bytes.begin() + h.size_of_headers, 0xcc);
    test::WriteAll(path_, bytes);
    std::string error;
    EXPECT_FALSE(WriteResource(path_, 5000, 0, Filled(10, 1), &error));
    EXPECT_NE(error.find("no room"), std::string::npos) << error;
    EXPECT_EQ(ReadAll(path_), bytes);
}

TEST(ResourceEditor, RefusesAFileThatIsNotAnExecutable) {
    test::ScratchDir dir;
    std::string path = dir.Path("notes.txt");
    test::WriteAll(path, std::vector<uint8_t>(300, 'x'));
    std::string error;
    EXPECT_FALSE(WriteResource(path, 5000, 0, Filled(10, 1), &error));
    EXPECT_NE(error.find("not an executable"), std::string::npos) << error;
    EXPECT_EQ(ReadAll(path), std::vector<uint8_t>(300, 'x'));
    EXPECT_FALSE(WriteResource(dir.Path("missing.exe"), 5000, 0, Filled(10, 1), &error));
    ResourceEditor editor;
    EXPECT_FALSE(editor.Write(1, 1, 1, Filled(1, 1)));
    EXPECT_FALSE(editor.Commit());
}

TEST(ResourceEditor, EditsAThirtyTwoBitExecutable) {
    std::string sample = test::SamplePath("sample32.exe");
    if (sample.empty()) GTEST_SKIP() << "no PE32 sample in this build";
    test::ScratchDir dir;
    std::string path = dir.Copy(sample, "edited32.exe");
    auto before = Contents(path);
    ASSERT_TRUE(WriteResource(path, 5300, 0, Filled(744, 4)));
    ASSERT_TRUE(WriteResource(path, 5000, 3, Filled(70000, 5)));
    auto after = Contents(path);
    EXPECT_EQ(after.size(), before.size() + 2);
    for (const auto& [key, bytes] : before) EXPECT_EQ(after[key], bytes);
    EXPECT_EQ(after[Key(5000, 3)], Filled(70000, 5));
    ExpectConsistentHeaders(path);
}

}  // namespace
}  // namespace gd::res
