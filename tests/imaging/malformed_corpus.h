#pragma once
// The malformed corpus of tests/inputs/<format>/bad_*: every file must fail to load with
// a readable error and leave the picture invalid.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "imaging/cx_image.h"
#include "tests/imaging/test_inputs.h"

namespace gd::testing {

inline std::vector<std::string> MalformedFiles(const std::string& folder) {
    std::vector<std::string> files;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(InputPath(folder), ec)) {
        std::string name = entry.path().filename().string();
        if (name.rfind("bad_", 0) == 0) files.push_back(folder + "/" + name);
    }
    return files;
}

inline void ExpectCorpusRefused(const std::string& folder, int format, size_t at_least) {
    std::vector<std::string> files = MalformedFiles(folder);
    EXPECT_GE(files.size(), at_least) << folder;
    for (const std::string& file : files) {
        for (int id : {int(kFormatNone), format}) {
            CxImage image;
            EXPECT_FALSE(image.Load(InputPath(file), id)) << file << " as " << id;
            EXPECT_FALSE(image.IsValid()) << file;
            EXPECT_FALSE(image.GetLastError().empty()) << file;
        }
    }
}

}  // namespace gd::testing
