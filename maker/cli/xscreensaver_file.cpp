#include "maker/cli/xscreensaver_file.h"

#include <vector>

namespace gd::cli {
namespace {

std::vector<std::string> Lines(std::string_view text) {
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string_view::npos) end = text.size();
        lines.emplace_back(text.substr(at, end - at));
        at = end + 1;
    }
    return lines;
}

std::string Join(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) out += l + "\n";
    return out;
}

bool EndsWith(std::string_view s, std::string_view tail) {
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

std::string_view TrimRight(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// A line that goes on to the next: it ends in one backslash (not an escaped one).
bool Continues(std::string_view line) {
    std::string_view t = TrimRight(line);
    size_t n = 0;
    while (n < t.size() && t[t.size() - 1 - n] == '\\') ++n;
    return n % 2 == 1;
}

// Where the list is: the line index of "programs:" and one past its last line.
struct ListLines {
    size_t first = 0, end = 0;
};

std::optional<ListLines> FindList(const std::vector<std::string>& lines) {
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string_view l = lines[i];
        size_t s = l.find_first_not_of(" \t");
        if (s == std::string_view::npos || l.substr(s, 9) != "programs:") continue;
        size_t end = i + 1;
        while (end - 1 < lines.size() && Continues(lines[end - 1]) && end < lines.size()) ++end;
        return ListLines{i, end};
    }
    return std::nullopt;
}

std::string ProgramLine(std::string_view entry) { return "\t\t" + std::string(entry) + "\t\t\t\t    \\n"; }

}  // namespace

std::string ShellQuote(std::string_view text) {
    std::string out = "'";
    for (char c : text) {
        if (c == '\'') out += "'\\''";
        else out += c;
    }
    return out + "'";
}

std::string AddXScreensaverProgram(std::string_view file, std::string_view entry) {
    std::vector<std::string> lines = Lines(file);
    auto list = FindList(lines);
    if (!list) {
        std::string out(file);
        if (!out.empty() && out.back() != '\n') out += '\n';
        return out + "programs:\t\t\t\t\t\t\t      \\\n" + ProgramLine(entry) + "\n";
    }
    // The list's last line ends the value: it gets a backslash, and the new program
    // becomes the last line.
    std::string& last = lines[list->end - 1];
    const bool only_header = list->end - 1 == list->first;
    std::string_view value = std::string_view(last).substr(only_header ? last.find(':') + 1 : 0);
    if (only_header && TrimRight(value).find_first_not_of(" \t") == std::string_view::npos) {
        last = std::string(TrimRight(last)) + "\t\\";
    } else {
        std::string trimmed(TrimRight(last));
        if (!EndsWith(trimmed, "\\n")) trimmed += " \\n";
        last = trimmed + "\\";
    }
    lines.insert(lines.begin() + ptrdiff_t(list->end), ProgramLine(entry));
    return Join(lines);
}

std::optional<std::string> RemoveXScreensaverPrograms(std::string_view file, std::string_view needle) {
    std::vector<std::string> lines = Lines(file);
    auto list = FindList(lines);
    if (!list || needle.empty()) return std::nullopt;
    bool removed = false;
    for (size_t i = list->end; i-- > list->first + 1;) {
        if (lines[i].find(needle) == std::string::npos) continue;
        const bool was_last = i + 1 == list->end;
        lines.erase(lines.begin() + ptrdiff_t(i));
        --list->end;
        removed = true;
        if (was_last) {
            // The line before is the last now: it no longer goes on.
            std::string& prev = lines[list->end - 1];
            std::string trimmed(TrimRight(prev));
            if (Continues(trimmed)) trimmed.pop_back();
            prev = std::string(TrimRight(trimmed));
        }
    }
    if (!removed) return std::nullopt;
    // A list left with no program at all goes with its name, as a file that never had
    // one: the same to xscreensaver.
    if (list->end == list->first + 1) {
        std::string_view header = lines[list->first];
        if (header.substr(header.find(':') + 1).find_first_not_of(" \t\\") == std::string_view::npos)
            lines.erase(lines.begin() + ptrdiff_t(list->first));
    }
    return Join(lines);
}

}  // namespace gd::cli
