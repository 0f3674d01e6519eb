// The plain form of a fuzz target: runs every file of the folders (and files) named on
// the command line through the target's entry point once, so the seed corpus and every
// input that once found a fault are checked by the ordinary test run. A target reports a
// broken property by aborting; an input that takes longer than GD_REPLAY_TIMEOUT seconds
// (default 10) of processor time is reported by name as a hang. Processor time, not time
// on the clock: on a busy machine, or under a sanitizer's pace, a big but bounded decode
// can wait longer than that for its turn without being any slower.
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <sys/time.h>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) __attribute__((weak));

namespace {

char g_current[4096];  // the input being run, for the hang report

void OnHang(int) {
    const char text[] = "replay: input takes too long (a hang?): ";
    (void)!write(2, text, sizeof text - 1);
    (void)!write(2, g_current, std::strlen(g_current));
    (void)!write(2, "\n", 1);
    _exit(70);
}

std::vector<std::string> InputFiles(const std::string& arg, bool& missing) {
    namespace fs = std::filesystem;
    std::vector<std::string> files;
    std::error_code ec;
    if (fs::is_regular_file(arg, ec)) return {arg};
    if (!fs::is_directory(arg, ec)) {
        missing = true;
        return files;
    }
    for (const auto& entry : fs::recursive_directory_iterator(arg, ec)) {
        if (entry.is_regular_file(ec) && entry.path().filename().string()[0] != '.') files.push_back(entry.path().string());
    }
    return files;
}

// Arms (or with 0 disarms) the hang report after `seconds` of the process's processor time.
void ArmHangTimer(unsigned seconds) {
    itimerval timer{};
    timer.it_value.tv_sec = time_t(seconds);
    setitimer(ITIMER_PROF, &timer, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER_OR_FILE...\n", argv[0]);
        return 2;
    }
    if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
    const char* limit_text = std::getenv("GD_REPLAY_TIMEOUT");
    const unsigned limit = limit_text ? unsigned(std::atoi(limit_text)) : 10;
    std::signal(SIGPROF, OnHang);

    size_t runs = 0;
    for (int i = 1; i < argc; ++i) {
        bool missing = false;
        std::vector<std::string> files = InputFiles(argv[i], missing);
        if (missing) {
            std::fprintf(stderr, "replay: no such folder or file: %s\n", argv[i]);
            return 2;
        }
        for (const std::string& file : files) {
            std::ifstream in(file, std::ios::binary);
            std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
            std::snprintf(g_current, sizeof g_current, "%s", file.c_str());
            ArmHangTimer(limit);
            static const uint8_t kNothing = 0;  // an empty input still gets a valid pointer
            LLVMFuzzerTestOneInput(bytes.empty() ? &kNothing : bytes.data(), bytes.size());
            ArmHangTimer(0);
            ++runs;
        }
    }
    if (runs == 0) {
        std::fprintf(stderr, "replay: no inputs found\n");
        return 2;
    }
    std::printf("replay: %zu inputs ran\n", runs);
    return 0;
}
