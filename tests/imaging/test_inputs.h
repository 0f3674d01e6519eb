#pragma once
// Sample files of tests/inputs/, found through GD_TEST_INPUTS (set by the test helpers).

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/common/host_path.h"

namespace gd::testing {

inline std::string InputPath(const std::string& relative) {
    const char* root = std::getenv("GD_TEST_INPUTS");
    return HostPath(std::string(root ? root : "tests/inputs") + "/" + relative);
}

inline std::vector<uint8_t> ReadInput(const std::string& relative) {
    std::vector<uint8_t> bytes;
    if (std::FILE* f = std::fopen(InputPath(relative).c_str(), "rb")) {
        uint8_t buffer[65536];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
        std::fclose(f);
    }
    return bytes;
}

}  // namespace gd::testing
