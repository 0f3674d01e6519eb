// `glimmerdeck info` on any file: the executable reader and both reports.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "maker/cli/exe_info.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = gd::fuzz::ScratchPath("info.exe");
    gd::fuzz::WriteFile(path, {data, size});
    auto info = gd::cli::ReadExeInfo(path);
    if (!info) return 0;
    gd::cli::FormatExeInfoText(info.value());
    gd::cli::FormatExeInfoJson(info.value());
    return 0;
}
