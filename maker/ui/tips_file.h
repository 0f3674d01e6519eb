#pragma once
// The tips file of the Tip of the Day: plain text, one tip per line. A line that begins
// with a blank, a tab, a line end or ";" is a blank line or a comment and is skipped.
// Every other line is split at tabs into the tip text, a header and a footer; a fourth
// field and anything after it is ignored:
//
//     text<TAB>header<TAB>footer<TAB>ignored
//
// An empty or missing header keeps "Did you know..."; a missing footer is empty.
// Lines are at most 999 characters; a longer line is cut there and its rest dropped.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace gd {

inline constexpr std::string_view kDefaultTipHeader = "Did you know...";
inline constexpr size_t kMaxTipLine = 999;

struct Tip {
    std::string text;
    std::string header{kDefaultTipHeader};
    std::string footer;
    friend bool operator==(const Tip&, const Tip&) = default;
};

// True for a line that is not a tip (blank line or comment).
bool IsSkippedTipLine(std::string_view line);

// Splits one tip line, given without its line end.
Tip ParseTipLine(std::string_view line);

// The bytes of a tips file and a read position in them.
class TipsFile {
public:
    explicit TipsFile(std::string bytes) : bytes_(std::move(bytes)) {}

    // Moves the read position; false for a position no file has (negative). A position
    // at or past the end is kept: the next read starts again at the beginning.
    bool Seek(int64_t offset);
    int64_t offset() const { return int64_t(offset_); }

    // The next tip from the read position on, going back to the beginning once at the
    // end of the file. Nothing when the whole file holds no tip line; the position is
    // then unchanged.
    std::optional<Tip> ReadNext();

private:
    // The line at `from` (without its line end, cut to kMaxTipLine) and where the
    // next line begins.
    std::string_view LineAt(size_t from, size_t* next) const;

    std::string bytes_;
    size_t offset_ = 0;
};

}  // namespace gd
