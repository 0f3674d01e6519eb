#pragma once
// The parts of a file path (folder, name, extension) and joining a folder and a name,
// for narrow (UTF-8) and wide paths alike. Which characters separate is said where a
// path is taken apart, by one of the separator sets below:
//
//   kWindowsSeparators  '\' and '/' (Windows takes both; "C:name" is "name" on drive C:)
//   kPosixSeparators    '/' alone ('\' is a character of a Linux file name)
//   kNativeSeparators   the platform's: Windows' on Windows, else POSIX'
//   kStoredSeparators   '\' alone: the text of a stored project, written on Windows
//
// Joining puts the set's first character between folder and name, unless the folder
// already ends with a separator of the set.
//
//   path                 folder          name        extension
//   C:\pics\a.b\x.JPG    C:\pics\a.b     x.JPG       JPG    (a dot in a folder is none)
//   C:\pics\             C:\pics         ""          ""     (a trailing separator)
//   C:x.jpg              C:              x.jpg       jpg    (Windows set)
//   \\server\share\x     \\server\share  x           ""
//   noext                ""              noext       ""

#include <string>
#include <string_view>

namespace gd {

struct PathSeparators {
    std::string_view chars;   // every character that separates; chars[0] joins
    bool drive_letter;        // "X:" at the start ends a folder
};

inline constexpr PathSeparators kWindowsSeparators{"\\/", true};
inline constexpr PathSeparators kPosixSeparators{"/", false};
inline constexpr PathSeparators kStoredSeparators{"\\", false};
#ifdef _WIN32
inline constexpr PathSeparators kNativeSeparators = kWindowsSeparators;
#else
inline constexpr PathSeparators kNativeSeparators = kPosixSeparators;
#endif

template <class Char> constexpr bool IsPathSeparator(Char c, PathSeparators set) {
    for (char s : set.chars)
        if (c == Char(s)) return true;
    return false;
}

// Where the name starts: after the last separator (or the drive's colon), else 0.
template <class Char> constexpr size_t PathNameStart(std::basic_string_view<Char> path, PathSeparators set) {
    for (size_t i = path.size(); i > 0; --i)
        if (IsPathSeparator(path[i - 1], set)) return i;
    if (set.drive_letter && path.size() >= 2 && path[1] == Char(':')) return 2;
    return 0;
}

// The part after the last separator; empty when the path ends with one.
template <class Char>
constexpr std::basic_string_view<Char> PathName(std::basic_string_view<Char> path, PathSeparators set) {
    return path.substr(PathNameStart(path, set));
}
inline std::string_view PathName(std::string_view path, PathSeparators set) { return PathName<char>(path, set); }
inline std::wstring_view PathName(std::wstring_view path, PathSeparators set) { return PathName<wchar_t>(path, set); }

// The part before the last separator, without it ("C:" for "C:\x" and "C:x"); empty
// when the path has none.
template <class Char>
constexpr std::basic_string_view<Char> PathFolder(std::basic_string_view<Char> path, PathSeparators set) {
    const size_t start = PathNameStart(path, set);
    if (start == 0) return {};
    return path.substr(0, IsPathSeparator(path[start - 1], set) ? start - 1 : start);
}
inline std::string_view PathFolder(std::string_view path, PathSeparators set) { return PathFolder<char>(path, set); }
inline std::wstring_view PathFolder(std::wstring_view path, PathSeparators set) {
    return PathFolder<wchar_t>(path, set);
}

// The name's extension: after its last dot, without it; empty when the name has no dot.
template <class Char>
constexpr std::basic_string_view<Char> PathExtension(std::basic_string_view<Char> path, PathSeparators set) {
    const std::basic_string_view<Char> name = PathName(path, set);
    const size_t dot = name.rfind(Char('.'));
    return dot == name.npos ? std::basic_string_view<Char>() : name.substr(dot + 1);
}
inline std::string_view PathExtension(std::string_view path, PathSeparators set) {
    return PathExtension<char>(path, set);
}
inline std::wstring_view PathExtension(std::wstring_view path, PathSeparators set) {
    return PathExtension<wchar_t>(path, set);
}

// The name without its extension and dot ("" for ".scr").
template <class Char>
constexpr std::basic_string_view<Char> PathStem(std::basic_string_view<Char> path, PathSeparators set) {
    const std::basic_string_view<Char> name = PathName(path, set);
    return name.substr(0, name.rfind(Char('.')));
}
inline std::string_view PathStem(std::string_view path, PathSeparators set) { return PathStem<char>(path, set); }
inline std::wstring_view PathStem(std::wstring_view path, PathSeparators set) { return PathStem<wchar_t>(path, set); }

// `folder` ending with a separator of the set (the set's own added when it has none); an
// empty folder stays empty.
template <class Char>
std::basic_string<Char> WithTrailingSeparator(std::basic_string_view<Char> folder, PathSeparators set) {
    std::basic_string<Char> out(folder);
    if (!out.empty() && !IsPathSeparator(out.back(), set)) out += Char(set.chars[0]);
    return out;
}
inline std::string WithTrailingSeparator(std::string_view folder, PathSeparators set) {
    return WithTrailingSeparator<char>(folder, set);
}
inline std::wstring WithTrailingSeparator(std::wstring_view folder, PathSeparators set) {
    return WithTrailingSeparator<wchar_t>(folder, set);
}

// `folder` and `name` with one separator between them; `name` alone when the folder is
// empty.
template <class Char>
std::basic_string<Char> JoinPathParts(std::basic_string_view<Char> folder, std::basic_string_view<Char> name,
                                      PathSeparators set) {
    return WithTrailingSeparator(folder, set) + std::basic_string<Char>(name);
}
inline std::string JoinPathParts(std::string_view folder, std::string_view name, PathSeparators set) {
    return JoinPathParts<char>(folder, name, set);
}
inline std::wstring JoinPathParts(std::wstring_view folder, std::wstring_view name, PathSeparators set) {
    return JoinPathParts<wchar_t>(folder, name, set);
}

// How long the root of a Windows path is: "C:\" (3), "\\server\share\" (through the
// separator after the share, or the whole path without one), a lone leading separator
// (1); 0 for a relative path.
size_t WindowsRootLength(std::string_view path);

}  // namespace gd
