#include "maker/project/caption_placeholders.h"

#include <array>
#include <cstdint>
#include <cstdio>

#include "common/code_page.h"
#include "common/path_parts.h"

namespace gd {
namespace {

constexpr std::array<const char*, 12> kMonths = {"January", "February", "March",     "April",   "May",      "June",
                                                 "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<const char*, 7> kWeekdays = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                  "Thursday", "Friday", "Saturday"};

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

int DayOfYear(const CalendarTime& t) {
    int day = t.day;
    for (int m = 1; m < t.month; ++m) day += DaysInMonth(t.year, m);
    return day;
}

// 0 = Sunday, by the proleptic Gregorian calendar (days counted from 1970-01-01, a
// Thursday; the count of whole eras of 400 years keeps it exact for any year).
int Weekday(const CalendarTime& t) {
    const int y = t.month <= 2 ? t.year - 1 : t.year;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int year_of_era = y - era * 400;
    const int day_of_year = (153 * (t.month + (t.month > 2 ? -3 : 9)) + 2) / 5 + t.day - 1;
    const int day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
    const long long days = era * 146097LL + day_of_era - 719468;
    return int(((days + 4) % 7 + 7) % 7);
}

std::string Number(int value, int width, char pad = '0') {
    char text[16];
    std::snprintf(text, sizeof text, pad == '0' ? "%0*d" : "%*d", width, value);
    return text;
}

// One directive's text, or nothing for a letter that is not one.
std::optional<std::string> Directive(char letter, const CalendarTime& t) {
    switch (letter) {
    case 'Y': return Number(t.year, 4);
    case 'y': return Number(t.year % 100, 2);
    case 'm': return Number(t.month, 2);
    case 'd': return Number(t.day, 2);
    case 'e': return Number(t.day, 2, ' ');
    case 'j': return Number(DayOfYear(t), 3);
    case 'H': return Number(t.hour, 2);
    case 'M': return Number(t.minute, 2);
    case 'S': return Number(t.second, 2);
    case 'B': return kMonths[size_t(t.month - 1)];
    case 'b': return std::string(kMonths[size_t(t.month - 1)], 3);
    case 'A': return kWeekdays[size_t(Weekday(t))];
    case 'a': return std::string(kWeekdays[size_t(Weekday(t))], 3);
    case '%': return "%";
    default: return std::nullopt;
    }
}

std::string FormatDate(std::string_view format, const CalendarTime& t) {
    std::string out;
    for (size_t i = 0; i < format.size() && out.size() <= kDateTextLimit; ++i) {
        std::optional<std::string> piece;
        if (format[i] == '%' && i + 1 < format.size()) piece = Directive(format[i + 1], t);
        if (piece) {
            out += *piece;
            ++i;
        } else {
            out += format[i];  // plain text, an unknown directive, a lone '%' at the end
        }
    }
    if (out.size() > kDateTextLimit) {
        // Cut before a character, never inside one.
        size_t cut = kDateTextLimit;
        while (cut > 0 && (uint8_t(out[cut]) & 0xC0) == 0x80) --cut;
        out.resize(cut);
    }
    return out;
}

// The name of the folder holding the file ("" at a root or a drive: they have no name).
std::string_view FolderName(std::string_view path) {
    std::string_view folder = PathFolder(path, kNativeSeparators);
    while (!folder.empty() && IsPathSeparator(folder.back(), kNativeSeparators)) folder.remove_suffix(1);
    return PathName(folder, kNativeSeparators);
}

std::string_view WithoutExtension(std::string_view name) {
    const size_t dot = name.rfind('.');
    // ".profile" is a name, not an extension.
    return dot == std::string_view::npos || dot == 0 ? name : name.substr(0, dot);
}

// The capture time when the file has one, else its last change.
std::optional<CalendarTime> WhenMade(const PictureDates& dates) {
    if (dates.taken && IsValidCalendarTime(*dates.taken)) return dates.taken;
    if (dates.modified && IsValidCalendarTime(*dates.modified)) return dates.modified;
    return std::nullopt;
}

// The text of the placeholder `inside` its braces, or nothing when it is not one.
std::optional<std::string> Placeholder(std::string_view inside, std::string_view path, const PictureDates& dates) {
    if (inside == "file") return NarrowFileTextToUtf8(WithoutExtension(PathName(path, kNativeSeparators)));
    if (inside == "folder") return NarrowFileTextToUtf8(FolderName(path));
    const std::optional<CalendarTime> date = WhenMade(dates);
    if (!date) return std::nullopt;
    if (inside == "date") return FormatDate("%Y-%m-%d", *date);
    constexpr std::string_view kFormatted = "date:";
    if (inside.size() > kFormatted.size() && inside.substr(0, kFormatted.size()) == kFormatted)
        return FormatDate(inside.substr(kFormatted.size()), *date);
    return std::nullopt;
}

}  // namespace

bool IsValidCalendarTime(const CalendarTime& t) {
    return t.year >= 1 && t.year <= 9999 && t.month >= 1 && t.month <= 12 && t.day >= 1 &&
           t.day <= DaysInMonth(t.year, t.month) && t.hour >= 0 && t.hour <= 23 && t.minute >= 0 && t.minute <= 59 &&
           t.second >= 0 && t.second <= 60;
}

bool CaptionNeedsDate(std::string_view text) {
    return text.find("{date}") != std::string_view::npos || text.find("{date:") != std::string_view::npos;
}

bool CaptionHasFields(std::string_view text) {
    if (text.find('{') == std::string_view::npos) return false;
    // Filled in for a picture with every part known, a text with a placeholder changes.
    PictureDates dated;
    dated.taken = CalendarTime{2000, 1, 1, 0, 0, 0};
    return ExpandCaption(text, "folder/file.jpg", dated) != text;
}

std::string ExpandCaption(std::string_view text, std::string_view path, const PictureDates& dates) {
    std::string out;
    out.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t open = text.find('{', pos);
        if (open == std::string_view::npos) break;
        out.append(text.substr(pos, open - pos));
        const size_t close = text.find_first_of("{}", open + 1);
        // "{" with no "}" after it, or "{" again first: this brace is text.
        if (close == std::string_view::npos || text[close] == '{') {
            out += '{';
            pos = open + 1;
            continue;
        }
        if (std::optional<std::string> filled = Placeholder(text.substr(open + 1, close - open - 1), path, dates))
            out += *filled;
        else
            out.append(text.substr(open, close - open + 1));
        pos = close + 1;
    }
    if (pos < text.size()) out.append(text.substr(pos));
    return out;
}

}  // namespace gd
