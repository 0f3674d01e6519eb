#include "maker/project/path_rules.h"

namespace gd {

namespace {
char UpperChar(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }
}  // namespace

std::string UpperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = UpperChar(c);
    return out;
}

bool SamePath(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (UpperChar(a[i]) != UpperChar(b[i])) return false;
    return true;
}

bool ContainsPath(const std::vector<std::string>& paths, std::string_view path) {
    for (const auto& p : paths)
        if (SamePath(p, path)) return true;
    return false;
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string out(folder);
    out += kPathSeparator;
    out += name;
    return out;
}

}  // namespace gd
