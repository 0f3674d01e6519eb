#pragma once
// What the fuzz targets share: cutting one input into several texts, scratch files for
// the readers that take a path, a small valid executable, and the check that fails a
// target when a property does not hold.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace gd::fuzz {

// Aborts with `what` on stderr when `ok` is false: libFuzzer keeps the input, the replay
// fails.
void Require(bool ok, const char* what);

// The input cut at its NUL bytes into at most `parts` texts (the last one keeps any
// further NULs); missing parts are empty.
std::vector<std::string_view> SplitAtNul(std::span<const uint8_t> input, size_t parts);

// A path named `name` in a folder of this process that goes away when it ends.
std::string ScratchPath(const std::string& name);
bool WriteFile(const std::string& path, std::span<const uint8_t> bytes);
std::vector<uint8_t> ReadFile(const std::string& path);

// A small valid PE32 program with one code section and no resources.
std::vector<uint8_t> MinimalPe();

}  // namespace gd::fuzz
