#include "common/profile_text.h"

#include <cstdint>
#include <vector>

#include "common/text_trim.h"

namespace gd {
namespace {

// The platform also counts the end-of-file character 0x1A as a blank.
bool IsProfileBlank(char c) { return IsWhiteSpace(c) || c == 0x1A; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsProfileBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsProfileBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = char(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = char(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

struct Line {
    std::string_view raw;  // without its line feed
    bool is_section = false;
    std::string_view name;                  // section or key name
    std::optional<std::string_view> value;  // after "=", trimmed
};

Line Classify(std::string_view raw) {
    Line line;
    line.raw = raw;
    std::string_view t = Trim(raw);
    if (!t.empty() && t.front() == '[') {
        size_t close = t.rfind(']');
        if (close != std::string_view::npos) {
            line.is_section = true;
            line.name = Trim(t.substr(1, close - 1));
            return line;
        }
    }
    size_t eq = t.find('=');
    if (eq == std::string_view::npos) {
        line.name = t;
    } else {
        line.name = Trim(t.substr(0, eq));
        line.value = Trim(t.substr(eq + 1));
    }
    return line;
}

std::vector<Line> SplitLines(std::string_view text) {
    std::vector<Line> lines;
    while (!text.empty()) {
        size_t nl = text.find('\n');
        lines.push_back(Classify(text.substr(0, nl)));
        if (nl == std::string_view::npos) break;
        text.remove_prefix(nl + 1);
    }
    return lines;
}

// [first, end) lines of the first section named `section`; first == end when missing.
struct SectionRange {
    size_t header = SIZE_MAX;
    size_t end = 0;
};

SectionRange FindSection(const std::vector<Line>& lines, std::string_view section) {
    section = Trim(section);
    SectionRange range;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (range.header == SIZE_MAX) {
            if (lines[i].is_section && SameName(lines[i].name, section)) range.header = i;
        } else if (lines[i].is_section) {
            range.end = i;
            return range;
        }
    }
    range.end = lines.size();
    return range;
}

size_t FindKey(const std::vector<Line>& lines, SectionRange range, std::string_view key) {
    key = Trim(key);
    for (size_t i = range.header + 1; i < range.end; ++i) {
        if (SameName(lines[i].name, key)) return i;
    }
    return SIZE_MAX;
}

}  // namespace

std::optional<std::string> FindProfileValue(std::string_view text, std::string_view section, std::string_view key) {
    std::vector<Line> lines = SplitLines(text);
    SectionRange range = FindSection(lines, section);
    if (range.header == SIZE_MAX) return std::nullopt;
    size_t at = FindKey(lines, range, key);
    if (at == SIZE_MAX || !lines[at].value) return std::nullopt;
    return std::string(*lines[at].value);
}

std::string SetProfileValue(std::string_view text, std::string_view section, std::string_view key,
                            std::string_view value) {
    std::vector<Line> lines = SplitLines(text);
    // New lines follow the file's line ends; a new file gets the platform's CR LF.
    bool crlf = lines.empty() || (!lines.front().raw.empty() && lines.front().raw.back() == '\r');
    const std::string cr = crlf ? "\r" : "";
    // Like the platform, the value is stored without surrounding blanks.
    value = Trim(value);
    const std::string entry = std::string(Trim(key)) + "=" + std::string(value) + cr;

    std::vector<std::string> out;
    for (const Line& l : lines) out.emplace_back(l.raw);
    SectionRange range = FindSection(lines, section);
    if (range.header == SIZE_MAX) {
        std::string header = "[";
        header.append(Trim(section)).append("]").append(cr);
        out.push_back(std::move(header));
        out.push_back(entry);
    } else if (size_t at = FindKey(lines, range, key); at != SIZE_MAX) {
        bool had_cr = !lines[at].raw.empty() && lines[at].raw.back() == '\r';
        out[at] = std::string(lines[at].name) + "=" + std::string(value) + (had_cr ? "\r" : "");
    } else {
        size_t after = range.end;
        while (after > range.header + 1 && Trim(lines[after - 1].raw).empty()) --after;
        out.insert(out.begin() + std::ptrdiff_t(after), entry);
    }
    std::string result;
    for (const std::string& l : out) result += l + "\n";
    return result;
}

int32_t ProfileNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && uint8_t(text[i]) <= ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    // After the sign, a lower-case prefix 0x, 0o or 0b picks the base; otherwise decimal.
    uint32_t base = 10;
    if (i + 1 < text.size() && text[i] == '0') {
        switch (text[i + 1]) {
            case 'x': base = 16; break;
            case 'o': base = 8; break;
            case 'b': base = 2; break;
        }
        if (base != 10) i += 2;
    }
    uint32_t value = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        uint32_t digit = c >= '0' && c <= '9'   ? uint32_t(c - '0')
                         : c >= 'a' && c <= 'z' ? uint32_t(c - 'a' + 10)
                         : c >= 'A' && c <= 'Z' ? uint32_t(c - 'A' + 10)
                                                : 99;
        if (digit >= base) break;
        value = value * base + digit;
    }
    return int32_t(negative ? 0u - value : value);
}

std::string CopyProfileEntry(std::string_view value, size_t capacity) {
    bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
    if (quoted) value.remove_prefix(1);
    if (capacity == 0) return {};
    std::string copy(value.substr(0, capacity - 1));
    // The closing quote goes only when the buffer could hold all of the rest.
    if (quoted && capacity >= value.size() && !copy.empty()) copy.pop_back();
    return copy;
}

}  // namespace gd
