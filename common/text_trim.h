#pragma once
// White-space trimming for texts that records store trimmed (banner, caption).

#include <string>
#include <string_view>

namespace gd {

// The blanks the ANSI character classification counts as white space:
// space, tab, line feed, vertical tab, form feed, carriage return.
constexpr bool IsWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

inline std::string_view TrimWhiteSpace(std::string_view text) {
    while (!text.empty() && IsWhiteSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsWhiteSpace(text.back())) text.remove_suffix(1);
    return text;
}

// The text trimmed, cut to `limit` bytes and trimmed again, so that cutting a long text
// never leaves white space at its end.
inline std::string_view CutAndTrim(std::string_view text, size_t limit) {
    return TrimWhiteSpace(TrimWhiteSpace(text).substr(0, limit));
}

}  // namespace gd
