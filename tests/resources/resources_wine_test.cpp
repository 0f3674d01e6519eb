// Under Wine: our editor writes entries and an icon into a copy of the probe, then the
// copy runs and lists its own resources through the platform's functions; what the
// platform finds must be exactly what was written, template entries included.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <sstream>

#include "resources/icon_file.h"
#include "resources/resource_editor.h"
#include "resources/resource_table.h"
#include "resources/write_resource.h"
#include "tests/resources/sample_files.h"

namespace gd::res {
namespace {

uint64_t Fnv1a(const std::vector<uint8_t>& bytes) {
    uint64_t h = 0xcbf29ce484222325ull;
    for (uint8_t b : bytes) h = (h ^ b) * 0x100000001b3ull;
    return h;
}

std::vector<uint8_t> Filled(size_t n, uint8_t seed) {
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i) v[i] = uint8_t(seed * 31 + i * 7 + (i >> 8));
    return v;
}

// Runs a command line and returns what it wrote to its standard output. The output goes
// to a file, not a pipe: helper processes that Wine may start on the way inherit the
// child's standard handles and live on, and would hold a pipe (and the test) open.
std::string RunProgram(const std::string& command, const std::string& output_path, DWORD* exit_code) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE out = CreateFileA(output_path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    HANDLE in = CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = in;
    si.hStdOutput = out;
    si.hStdError = out;
    PROCESS_INFORMATION pi{};
    std::string line = command;
    *exit_code = 0xffffffff;
    if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi)) {
        WaitForSingleObject(pi.hProcess, INFINITE);
        GetExitCodeProcess(pi.hProcess, exit_code);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
    CloseHandle(out);
    CloseHandle(in);
    auto bytes = test::ReadAll(output_path);
    return std::string(bytes.begin(), bytes.end());
}

struct Seen {
    uint32_t size = 0;
    uint64_t digest = 0;
};

// "entry TYPE NAME LANGUAGE SIZE DIGEST" lines by "TYPE NAME LANGUAGE".
std::map<std::string, Seen> Entries(const std::string& output) {
    std::map<std::string, Seen> out;
    std::istringstream in(output);
    std::string word, type, name, language;
    Seen seen;
    while (in >> word) {
        if (word != "entry") continue;
        in >> type >> name >> language >> seen.size >> std::hex >> seen.digest >> std::dec;
        out[type + " " + name + " " + language] = seen;
    }
    return out;
}

std::string Label(const ResourceKey& k) {
    std::string out;
    for (const ResourceName* n : {&k.type, &k.name}) {
        if (n->is_text) out.append(1, '"').append(n->ToString()).append(1, '"');
        else out.append(n->ToString());
        out.append(1, ' ');
    }
    return out.append(std::to_string(k.language));
}

// What our parser reads from a file, in the probe's terms.
std::map<std::string, Seen> Expected(const std::string& path) {
    auto parsed = ReadPeResources(path);
    EXPECT_TRUE(parsed) << parsed.error();
    auto source = FileSource::Open(path);
    std::map<std::string, Seen> out;
    for (const auto& e : parsed->table.entries) {
        auto bytes = ReadEntryBytes(*source, e).value();
        out[Label(e.key)] = {uint32_t(bytes.size()), Fnv1a(bytes)};
    }
    return out;
}

void ExpectSame(const std::map<std::string, Seen>& expected, const std::map<std::string, Seen>& seen) {
    EXPECT_EQ(seen.size(), expected.size());
    for (const auto& [label, e] : expected) {
        auto it = seen.find(label);
        ASSERT_NE(it, seen.end()) << "the platform does not find " << label;
        EXPECT_EQ(it->second.size, e.size) << label;
        EXPECT_EQ(it->second.digest, e.digest) << label;
    }
}

TEST(PlatformReadsOurEdits, EntriesIconAndChecksumOfAnEditedProgram) {
    std::string probe = test::SamplePath("resource_probe.exe");
    ASSERT_FALSE(probe.empty());
    test::ScratchDir dir;
    std::string edited = dir.Copy(probe, "edited_probe.exe");

    ResourceEditor editor;
    ASSERT_TRUE(editor.Open(edited)) << editor.error();
    std::map<std::string, Seen> written;
    for (uint16_t id = 0; id < 60; ++id) {
        auto bytes = Filled(1 + id * 1013 % 70000, uint8_t(id));
        ASSERT_TRUE(editor.Write(5000, id, kLanguageEnUs, bytes));
        written["5000 " + std::to_string(id) + " 1033"] = {uint32_t(bytes.size()), Fnv1a(bytes)};
    }
    auto config = Filled(744, 200);
    ASSERT_TRUE(editor.Write(5300, 0, kLanguageEnUs, config));
    written["5300 0 1033"] = {744, Fnv1a(config)};
    ASSERT_TRUE(editor.Commit()) << editor.error();  // appends a section: .reloc follows .rsrc
    auto replaced = Filled(10, 9);
    ASSERT_TRUE(WriteResource(edited, 10, 1, replaced));  // rewrites our section in place
    written["10 1 1033"] = {10, Fnv1a(replaced)};
    std::string error;
    ASSERT_TRUE(ReplaceIcon(test::InputPath("ico/three_images.ico"), edited, &error)) << error;

    auto expected = Expected(edited);
    for (const auto& [label, e] : written) {
        EXPECT_EQ(expected[label].digest, e.digest) << label;
    }

    // The edited program itself runs and finds its resources.
    DWORD code = 0;
    std::string own = RunProgram("\"" + edited + "\"", dir.Path("own.txt"), &code);
    ASSERT_EQ(code, 0u) << own;
    ExpectSame(expected, Entries(own));
    EXPECT_NE(own.find("icon 1 48 48"), std::string::npos) << own;
    EXPECT_NE(own.find("icon 2 32 32"), std::string::npos) << own;
    EXPECT_NE(own.find("icon 3 16 16"), std::string::npos) << own;
    EXPECT_NE(own.find("best-icon 2"), std::string::npos) << own;

    // The platform's own checksum of the file agrees with the header.
    unsigned header = 0, computed = 1;
    auto at = own.find("checksum ");
    ASSERT_NE(at, std::string::npos) << own;
    ASSERT_EQ(std::sscanf(own.c_str() + at, "checksum %x %x", &header, &computed), 2);
    EXPECT_EQ(header, computed);

    // Loaded as data by the unedited probe, the file shows the same entries.
    std::string as_data = RunProgram("\"" + probe + "\" \"" + edited + "\"", dir.Path("as_data.txt"), &code);
    ASSERT_EQ(code, 0u) << as_data;
    ExpectSame(expected, Entries(as_data));
}

}  // namespace
}  // namespace gd::res
