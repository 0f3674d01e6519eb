// The capture-time reader over any file's bytes (EXIF in JPEG, TIFF, PNG, WebP or found
// by its header; XMP), and the caption placeholders over any text: never a read outside
// the input, only possible dates, and a text without "{" left exactly as it was.
#include <cstddef>
#include <cstdint>
#include <span>

#include "fuzz/fuzz_support.h"
#include "maker/project/caption_placeholders.h"
#include "maker/project/picture_dates.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    const std::optional<gd::CalendarTime> taken = gd::CaptureTimeIn(bytes);
    gd::fuzz::Require(!taken || gd::IsValidCalendarTime(*taken), "a capture time that cannot be");

    // The same bytes as a caption, a path and a recorded time.
    const std::vector<std::string_view> parts = gd::fuzz::SplitAtNul(bytes, 3);
    const gd::PictureDates dates{taken, gd::ParseRecordedTime(parts[2])};
    const std::string caption = gd::ExpandCaption(parts[0], parts[1], dates);
    if (parts[0].find('{') == std::string_view::npos)
        gd::fuzz::Require(caption == parts[0], "a text without placeholders changed");
    // Each placeholder gives at most its bounded date or a name from the path.
    gd::fuzz::Require(caption.size() <= parts[0].size() * (gd::kDateTextLimit + 2 * parts[1].size() + 2),
                      "a caption grew without bound");
    return 0;
}
