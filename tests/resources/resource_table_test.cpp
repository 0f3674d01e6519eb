#include "resources/resource_table.h"

#include <gtest/gtest.h>

#include <string>

#include "common/byte_io.h"
#include "tests/resources/sample_files.h"

namespace gd::res {
namespace {

using test::ReadAll;
using test::SamplePath;

constexpr uint16_t kRcData = 10;
constexpr uint16_t kStringTable = 6;

std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

class ProbeSample : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = SamplePath("resource_probe.exe");
        if (path_.empty()) GTEST_SKIP() << "no Windows build, so no sample executables";
        bytes_ = ReadAll(path_);
    }
    Result<PeResources> Parse(std::span<const uint8_t> bytes) {
        MemorySource source(bytes);
        return ParsePeResources(source);
    }
    // File offset of the root resource directory.
    uint64_t RootOffset(const PeHeaders& h) {
        return *h.RvaToOffset(h.directory(kResourceDirectory).rva, 16);
    }
    std::string path_;
    std::vector<uint8_t> bytes_;
};

TEST_F(ProbeSample, ListsEveryEntryOfTheResourceScript) {
    auto parsed = Parse(bytes_);
    ASSERT_TRUE(parsed) << parsed.error();
    EXPECT_TRUE(parsed->headers.pe32_plus);
    const auto& table = parsed->table;
    MemorySource source(bytes_);
    auto bytes_of = [&](const ResourceEntry* e) { return e ? ReadEntryBytes(source, *e).value() : std::vector<uint8_t>{}; };

    EXPECT_EQ(bytes_of(table.Find(kRcData, 1, 0x0409)), Bytes(std::string("english sample data") + '\0'));
    EXPECT_EQ(bytes_of(table.Find(kRcData, 1, 0x0407)), Bytes(std::string("deutsche Beispieldaten") + '\0'));
    EXPECT_NE(table.Find(kTypeGroupIcon, 128, kLanguageEnUs), nullptr);
    EXPECT_NE(table.Find(kTypeIcon, 1, kLanguageEnUs), nullptr);
    EXPECT_NE(table.Find(kTypeIcon, 2, kLanguageEnUs), nullptr);
    EXPECT_NE(table.Find(kStringTable, 101 / 16 + 1), nullptr);

    // Named type GDDATA: the named entry comes before the id, and named types before ids.
    std::vector<std::string> gddata;
    for (const auto& e : table.entries)
        if (e.key.type.is_text && e.key.type.ToString() == "GDDATA") gddata.push_back(e.key.name.ToString());
    EXPECT_EQ(gddata, (std::vector<std::string>{"HELLO", "7"}));
    EXPECT_TRUE(table.entries.front().key.type.is_text);
}

TEST(Pe32Sample, ReadsTheThirtyTwoBitHeader) {
    std::string path = SamplePath("sample32.exe");
    if (path.empty()) GTEST_SKIP() << "no PE32 sample in this build";
    auto parsed = ReadPeResources(path);
    ASSERT_TRUE(parsed) << parsed.error();
    EXPECT_FALSE(parsed->headers.pe32_plus);
    auto source = FileSource::Open(path);
    const ResourceEntry* e = parsed->table.Find(kRcData, 1);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(ReadEntryBytes(*source, *e).value(), Bytes(std::string("thirty-two bit sample") + '\0'));
}

// A file cut anywhere before the end of its resource data must be refused, not read
// short; cut after it (in .reloc or the symbols) it still lists the same entries.
TEST_F(ProbeSample, TruncatedFileFailsUntilTheResourceDataIsWhole) {
    auto whole = Parse(bytes_);
    ASSERT_TRUE(whole);
    uint64_t data_end = 0;
    for (const auto& e : whole->table.entries) data_end = std::max<uint64_t>(data_end, e.file_offset + e.size);
    for (uint64_t cut : {uint64_t(0), uint64_t(63), uint64_t(0x100), RootOffset(whole->headers), RootOffset(whole->headers) + 20,
                         data_end - 1, data_end, data_end + 1000, uint64_t(bytes_.size() - 1)}) {
        auto parsed = Parse(std::span<const uint8_t>(bytes_).first(cut));
        EXPECT_EQ(bool(parsed), cut >= data_end) << "cut at " << cut << ": " << parsed.error();
        if (parsed) {
            EXPECT_EQ(parsed->table.entries.size(), whole->table.entries.size());
        }
    }
}

TEST_F(ProbeSample, HostileTreesFailCleanly) {
    auto whole = Parse(bytes_);
    ASSERT_TRUE(whole);
    const PeHeaders& h = whole->headers;
    uint64_t root = RootOffset(h);
    uint32_t first_entry = uint32_t(root + 16);
    // The first type's subdirectory offset, and the data entry of the first leaf.
    uint32_t type_dir = ReadU32(&bytes_[first_entry + 4]) & 0x7fffffff;
    uint32_t name_dir = ReadU32(&bytes_[root + type_dir + 16 + 4]) & 0x7fffffff;
    uint32_t data_entry = ReadU32(&bytes_[root + name_dir + 16 + 4]);

    struct Case {
        const char* what;
        size_t at;
        uint32_t value;
        bool wide;
    };
    const Case cases[] = {
        {"subdirectory loops back to the root", first_entry + 4, 0x80000000u, true},
        {"subdirectory outside the section", first_entry + 4, 0x80000000u | 0x7ffffff0u, true},
        {"name string outside the section", first_entry, 0x80000000u | 0x7ffffff0u, true},
        {"data entry at the type level", first_entry + 4, data_entry, true},
        {"entry count larger than the section", root + 14, 0xffff, false},
        {"data outside the image", root + data_entry, 0x7ffff000u, true},
        {"data size past the section", root + data_entry + 4, 0xfffffff0u, true},
        {"no MZ", 0, 0x0000, false},
        {"PE header past the end", 0x3c, 0x7fffffff, true},
        {"too many sections", h.number_of_sections_offset(), 0xffff, false},
    };
    for (const auto& c : cases) {
        auto bytes = bytes_;
        if (c.wide) WriteU32(&bytes[c.at], c.value);
        else WriteU16(&bytes[c.at], uint16_t(c.value));
        auto parsed = Parse(bytes);
        EXPECT_FALSE(parsed) << c.what;
        EXPECT_FALSE(parsed.error().empty()) << c.what;
    }
}

TEST_F(ProbeSample, NoResourceDirectoryIsAnEmptyTable) {
    auto whole = Parse(bytes_);
    ASSERT_TRUE(whole);
    auto bytes = bytes_;
    WriteU32(&bytes[whole->headers.directory_offset(kResourceDirectory)], 0);
    auto parsed = Parse(bytes);
    ASSERT_TRUE(parsed) << parsed.error();
    EXPECT_TRUE(parsed->table.entries.empty());
}

TEST(ResourceName, NamesSortCaseInsensitivelyBeforeIds) {
    EXPECT_LT(ResourceName::Text(u"abc"), ResourceName::Text(u"ABD"));
    EXPECT_EQ(ResourceName::Text(u"Hello"), ResourceName::Text(u"HELLO"));
    EXPECT_LT(ResourceName::Text(u"ZZZ"), ResourceName::Id(0));
    EXPECT_LT(ResourceName::Id(9), ResourceName::Id(10));
    EXPECT_LT(ResourceName::Text(u"AB"), ResourceName::Text(u"abc"));
}

}  // namespace
}  // namespace gd::res
