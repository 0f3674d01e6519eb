#pragma once
// When a picture was made, as its file tells: the moment a camera or an editor recorded
// (EXIF DateTimeOriginal; else XMP exif:DateTimeOriginal, else xmp:CreateDate) and the
// file's last change. The captions' date placeholders use them (caption_placeholders.h).

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "maker/project/caption_placeholders.h"
#include "maker/project/picture_data.h"

namespace gd {

// "2024:03:09 14:05:30" (EXIF) or "2024-03-09T14:05:30+01:00" (XMP; the time, its seconds
// and the zone may be missing, the zone is ignored). Nothing for a blank or impossible
// date, as cameras write "0000:00:00 00:00:00" when their clock was not set.
std::optional<CalendarTime> ParseRecordedTime(std::string_view text);

// The capture time recorded in a picture file's bytes: the EXIF block of a JPEG (APP1),
// TIFF (the file itself), PNG (eXIf) or WebP (EXIF) file, or one found by its header in
// any other file (HEIF and AVIF keep it as an item); else the XMP packet's
// exif:DateTimeOriginal, else its xmp:CreateDate (with the prefixes XMP writers use).
std::optional<CalendarTime> CaptureTimeIn(std::span<const uint8_t> file);

// The picture file's dates; what cannot be read is missing.
PictureDates ReadPictureDates(const std::string& path);

// A picture's caption as a made screensaver shows it: with `fill_in_fields` (the
// project's bCaptionFields) its placeholders filled in, reading the file's dates only
// when the text asks for one; nothing else changed.
std::string CaptionAsMade(const CPictureData& picture, bool fill_in_fields);

}  // namespace gd
