#pragma once
// Sample executables and scratch files for the resource tests.

#include <cstdint>
#include <string>
#include <vector>

namespace gd::res::test {

// The sample executable `name` left by the Windows build, or "" when this build has none.
std::string SamplePath(const std::string& name);
// A file under tests/inputs.
std::string InputPath(const std::string& relative);

std::vector<uint8_t> ReadAll(const std::string& path);
void WriteAll(const std::string& path, const std::vector<uint8_t>& bytes);

// A fresh directory removed with everything in it at the end of the test.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    std::string Path(const std::string& name) const;
    // Copies `source` into the directory as `name`; its path.
    std::string Copy(const std::string& source, const std::string& name) const;
    // Names of the files in the directory.
    std::vector<std::string> Files() const;

private:
    std::string dir_;
};

}  // namespace gd::res::test
