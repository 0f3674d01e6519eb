#include "fuzz/fuzz_support.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <unistd.h>

#include "common/byte_io.h"

namespace gd::fuzz {

void Require(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "fuzz target: property broken: %s\n", what);
    std::abort();
}

std::vector<std::string_view> SplitAtNul(std::span<const uint8_t> input, size_t parts) {
    std::string_view rest(reinterpret_cast<const char*>(input.data()), input.size());
    std::vector<std::string_view> out;
    while (out.size() + 1 < parts) {
        size_t nul = rest.find('\0');
        if (nul == std::string_view::npos) break;
        out.push_back(rest.substr(0, nul));
        rest.remove_prefix(nul + 1);
    }
    out.push_back(rest);
    out.resize(parts);
    return out;
}

namespace {

struct ScratchFolder {
    ScratchFolder() {
        std::error_code ec;
        path = (std::filesystem::temp_directory_path(ec) / ("gd-fuzz-" + std::to_string(getpid()))).string();
        std::filesystem::create_directories(path, ec);
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::string path;
};

}  // namespace

std::string ScratchPath(const std::string& name) {
    static ScratchFolder folder;
    return folder.path + "/" + name;
}

bool WriteFile(const std::string& path, std::span<const uint8_t> bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out.flush());
}

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), {});
}

std::vector<uint8_t> MinimalPe() {
    // DOS header, "PE\0\0" at 0x40, the COFF header, a 224-byte optional header with 16
    // data directories, one section header; the code section's raw data at 0x200.
    std::vector<uint8_t> pe(0x400, 0);
    pe[0] = 'M', pe[1] = 'Z';
    WriteU32(&pe[0x3C], 0x40);
    pe[0x40] = 'P', pe[0x41] = 'E';
    uint8_t* coff = &pe[0x44];
    WriteU16(coff + 0, 0x014C);  // i386
    WriteU16(coff + 2, 1);       // sections
    WriteU16(coff + 16, 224);    // optional header size
    WriteU16(coff + 18, 0x0102); // executable, 32-bit
    uint8_t* opt = &pe[0x58];
    WriteU16(opt + 0, 0x010B);
    WriteU32(opt + 4, 0x200);      // size of code
    WriteU32(opt + 16, 0x1000);    // entry point
    WriteU32(opt + 20, 0x1000);    // base of code
    WriteU32(opt + 24, 0x2000);    // base of data
    WriteU32(opt + 28, 0x400000);  // image base
    WriteU32(opt + 32, 0x1000);    // section alignment
    WriteU32(opt + 36, 0x200);     // file alignment
    WriteU16(opt + 40, 4);         // operating system version
    WriteU16(opt + 48, 4);         // subsystem version
    WriteU32(opt + 56, 0x2000);    // size of image
    WriteU32(opt + 60, 0x200);     // size of headers
    WriteU16(opt + 68, 3);         // console
    WriteU32(opt + 72, 0x100000);
    WriteU32(opt + 76, 0x1000);
    WriteU32(opt + 80, 0x100000);
    WriteU32(opt + 84, 0x1000);
    WriteU32(opt + 92, 16);  // data directories
    uint8_t* section = &pe[0x58 + 224];
    std::copy_n(".text", 5, section);
    WriteU32(section + 8, 1);        // virtual size
    WriteU32(section + 12, 0x1000);  // virtual address
    WriteU32(section + 16, 0x200);   // raw size
    WriteU32(section + 20, 0x200);   // raw offset
    WriteU32(section + 36, 0x60000020);
    pe[0x200] = 0xC3;  // ret
    return pe;
}

}  // namespace gd::fuzz
