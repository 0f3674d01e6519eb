#include "common/saver_command_line.h"

#include "common/text_trim.h"

namespace gd {
namespace {

std::string_view SkipProgramName(std::string_view text) {
    if (!text.empty() && text.front() == '"') {
        size_t close = text.find('"', 1);
        return close == std::string_view::npos ? std::string_view{} : text.substr(close + 1);
    }
    size_t space = text.find(' ');
    return space == std::string_view::npos ? std::string_view{} : text.substr(space + 1);
}

std::string_view SkipAny(std::string_view text, std::string_view chars) {
    size_t start = text.find_first_not_of(chars);
    return start == std::string_view::npos ? std::string_view{} : text.substr(start);
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

}  // namespace

uint32_t LeadingDecimal(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsWhiteSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) value = value * 10u + uint32_t(text[i] - '0');
    return negative ? 0u - value : value;
}

SaverCommand ParseSaverCommandLine(std::string_view text, const std::function<uint32_t()>& foreground_window) {
    std::string_view rest = SkipAny(SkipProgramName(text), " ");
    if (rest.empty()) return {SaverMode::Launcher, 0};
    if (rest.front() == '-' || rest.front() == '/') rest.remove_prefix(1);
    if (rest.empty()) return {SaverMode::None, 0};

    // Only the letter counts; the rest of its word is ignored (/save is /s).
    char letter = Lower(rest.front());
    std::string_view argument = SkipAny(rest.substr(1), " :");
    switch (letter) {
        case 's':
            return {SaverMode::FullScreen, 0};
        case 'a':
            return {SaverMode::ChangePassword, LeadingDecimal(argument)};
        case 'c':
            if (argument.empty()) return {SaverMode::Configure, foreground_window ? foreground_window() : 0};
            return {SaverMode::Configure, LeadingDecimal(argument)};
        case 'p':
        case 'l':
            return {SaverMode::Preview, LeadingDecimal(argument)};
        default:
            return {SaverMode::None, 0};
    }
}

}  // namespace gd
