// The text side of profile files. The input is the file's text, a section, a key and a
// value, cut at NUL bytes. Whatever the text, a value set under a plain section and key
// reads back as set (without its surrounding blanks).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/profile_text.h"
#include "fuzz/fuzz_support.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == 0x1A; }

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool OnOneLine(std::string_view s) { return s.find_first_of("\r\n") == std::string_view::npos; }

// A section and key that a profile line can hold: no line break, a section without "]",
// a key that is not empty, holds no "=" and does not look like a section.
bool Writable(std::string_view section, std::string_view key, std::string_view value) {
    key = Trimmed(key);
    return OnOneLine(section) && OnOneLine(key) && OnOneLine(value) && section.find(']') == std::string_view::npos &&
           !key.empty() && key.find('=') == std::string_view::npos && key.front() != '[';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto parts = gd::fuzz::SplitAtNul({data, size}, 4);
    std::string_view text = parts[0], section = parts[1], key = parts[2], value = parts[3];
    gd::FindProfileValue(text, section, key);
    gd::ProfileNumber(value);
    gd::CopyProfileEntry(value, size % 300);
    std::string edited = gd::SetProfileValue(text, section, key, value);
    if (Writable(section, key, value)) {
        auto back = gd::FindProfileValue(edited, section, key);
        gd::fuzz::Require(back && *back == Trimmed(value), "a value set reads back");
    }
    return 0;
}
