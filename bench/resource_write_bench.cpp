// Writes many 1 MiB entries into a copy of a template executable, once through one
// batched editor (one commit) and once with one commit per entry, and prints the time and
// the peak memory of each. Each run happens in its own child process, so the peak memory
// is that run's alone.
//
//   resource_write_bench [--template EXE] [--dir SCRATCH] [--size BYTES] [COUNT...]
//
// COUNT defaults to 50 and 500. Batched time should grow linearly with the count, the
// single-entry time quadratically (every commit rewrites the whole file).
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "resources/resource_editor.h"
#include "resources/write_resource.h"

namespace {

using gd::res::kLanguageEnUs;
constexpr uint16_t kPictureType = 5000;

std::vector<uint8_t> Entry(size_t size, uint16_t id) {
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = uint8_t(i * 31 + id);
    return bytes;
}

bool WriteBatched(const std::string& path, int count, size_t size) {
    gd::res::ResourceEditor editor;
    if (!editor.Open(path)) return false;
    for (int id = 0; id < count; ++id)
        if (!editor.Write(kPictureType, uint16_t(id), kLanguageEnUs, Entry(size, uint16_t(id)))) return false;
    return editor.Commit();
}

bool WriteOneByOne(const std::string& path, int count, size_t size) {
    for (int id = 0; id < count; ++id)
        if (!gd::res::WriteResource(path, kPictureType, uint16_t(id), Entry(size, uint16_t(id)))) return false;
    return true;
}

struct Figures {
    bool ok = false;
    double seconds = 0;
    long peak_kib = 0;
    uintmax_t file_bytes = 0;
};

Figures RunInChild(bool batched, const std::string& tmpl, const std::string& path, int count, size_t size) {
    std::filesystem::copy_file(tmpl, path, std::filesystem::copy_options::overwrite_existing);
    auto start = std::chrono::steady_clock::now();
    pid_t child = fork();
    if (child == 0) {
        bool ok = batched ? WriteBatched(path, count, size) : WriteOneByOne(path, count, size);
        _exit(ok ? 0 : 1);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    Figures f;
    f.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    f.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    f.peak_kib = usage.ru_maxrss;
    f.file_bytes = std::filesystem::file_size(path);
    std::filesystem::remove(path);
    return f;
}

}  // namespace

int main(int argc, char** argv) {
    std::string tmpl = GD_DEFAULT_TEMPLATE;
    std::string dir = std::filesystem::temp_directory_path().string();
    size_t size = 1 << 20;
    std::vector<int> counts;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--template" && i + 1 < argc) tmpl = argv[++i];
        else if (a == "--dir" && i + 1 < argc) dir = argv[++i];
        else if (a == "--size" && i + 1 < argc) size = std::strtoull(argv[++i], nullptr, 10);
        else counts.push_back(std::atoi(a.c_str()));
    }
    if (counts.empty()) counts = {50, 500};
    std::string path = dir + "/resource_write_bench.exe";
    std::printf("template %s (%ju bytes), entries of %zu bytes\n", tmpl.c_str(),
                std::filesystem::file_size(tmpl), size);
    std::printf("%-8s %8s %10s %12s %14s\n", "mode", "entries", "seconds", "peak MiB", "file MiB");
    for (int count : counts) {
        for (bool batched : {true, false}) {
            Figures f = RunInChild(batched, tmpl, path, count, size);
            std::printf("%-8s %8d %10.2f %12.1f %14.1f%s\n", batched ? "batched" : "single", count, f.seconds,
                        f.peak_kib / 1024.0, f.file_bytes / 1048576.0, f.ok ? "" : "  FAILED");
            std::fflush(stdout);
        }
    }
    return 0;
}
