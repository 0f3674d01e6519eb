#include "maker/project/path_rules.h"

#include "common/path_parts.h"

#ifdef _WIN32
#include <windows.h>

#include "common/utf16.h"
#endif

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
#ifdef _WIN32
    // The file system's own rule: every letter's case, not only ASCII's.
    const std::wstring wa = Utf8ToUtf16(a), wb = Utf8ToUtf16(b);
    return CompareStringOrdinal(wa.data(), int(wa.size()), wb.data(), int(wb.size()), TRUE) == CSTR_EQUAL;
#else
    return a == b;
#endif
}

std::string PathKey(std::string_view path) {
#ifdef _WIN32
    // The upper-case mapping the ordinal comparison above ignores case with.
    std::wstring wide = Utf8ToUtf16(path);
    if (!wide.empty())
        LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, wide.data(), int(wide.size()), wide.data(),
                      int(wide.size()), nullptr, nullptr, 0);
    return Utf16ToUtf8(wide);
#else
    return std::string(path);
#endif
}

bool ContainsPath(const std::vector<std::string>& paths, std::string_view path) {
    for (const auto& p : paths)
        if (SamePath(p, path)) return true;
    return false;
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    return JoinPathParts(folder, name, kNativeSeparators);
}

}  // namespace gd
