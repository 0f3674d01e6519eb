#pragma once
// Captions that name their picture. A caption text may hold placeholders that the maker
// fills in for each picture when it makes a screensaver, and when it shows a caption (the
// full-screen preview, the Pictures page's sample); the project keeps the text as typed.
//
//   {date}          the day the photo was taken: YYYY-MM-DD
//   {date:FORMAT}   the same moment in a format of one's own, with these directives:
//                     %Y year (2024)      %y year in two digits (24)   %m month (01-12)
//                     %d day (01-31)      %e day, space-padded (" 5")  %j day of the year (001-366)
//                     %H hour (00-23)     %M minute (00-59)            %S second (00-60)
//                     %B month (March)    %b month, short (Mar)
//                     %A weekday (Sunday) %a weekday, short (Sun)      %% a percent sign
//                   Month and day names are English, as every other text of the maker.
//   {file}          the picture's file name without its extension
//   {folder}        the name of the folder holding the picture
//
// The day a photo was taken is its recorded capture time, else the file's last change
// (picture_dates.h reads both). Whatever is not one of these stays as typed: other words
// in braces, a brace without its partner, "{date:}", an unknown directive ("%Q" stays
// "%Q"), and a date placeholder of a picture with no date at all. A text without "{" is
// returned unchanged, so captions typed before placeholders existed make what they made.

#include <optional>
#include <string>
#include <string_view>

namespace gd {

// A wall-clock moment as a camera or the file system's local time records it, with no
// time zone.
struct CalendarTime {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;  // 0..60, a leap second allowed
    friend bool operator==(const CalendarTime&, const CalendarTime&) = default;
};

// Years 1..9999, a day that exists in its month, a time of day that exists.
bool IsValidCalendarTime(const CalendarTime& t);

// What a picture's file says about when it was made.
struct PictureDates {
    std::optional<CalendarTime> taken;     // recorded by the camera or an editor
    std::optional<CalendarTime> modified;  // the file's last change
};

// Whether the text holds a date placeholder, so that the caller reads the picture's
// dates only when they are needed.
bool CaptionNeedsDate(std::string_view text);

// Whether the text holds a placeholder that filling in would replace: typing or setting
// such a caption turns a project's placeholders on (bCaptionFields).
bool CaptionHasFields(std::string_view text);

// The most bytes one "{date:FORMAT}" turns into: a long format stops there.
inline constexpr size_t kDateTextLimit = 256;

// The caption `text` of the picture at `path` with its placeholders filled in.
std::string ExpandCaption(std::string_view text, std::string_view path, const PictureDates& dates);

}  // namespace gd
