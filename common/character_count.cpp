#include "common/character_count.h"

#include <limits>

#include "common/unicode_text.h"

namespace gd {
namespace {

struct Range {
    char32_t first, last;
};

// Combining marks of the scripts a screensaver's texts are most likely written in, the
// variation selectors, the kana voicing marks, the joiners, skin tones and tags.
constexpr Range kExtending[] = {
    {0x0300, 0x036F},   {0x0483, 0x0489},   {0x0591, 0x05BD},   {0x05BF, 0x05BF}, {0x05C1, 0x05C2},
    {0x05C4, 0x05C5},   {0x05C7, 0x05C7},   {0x0610, 0x061A},   {0x064B, 0x065F}, {0x0670, 0x0670},
    {0x06D6, 0x06DC},   {0x06DF, 0x06E4},   {0x06E7, 0x06E8},   {0x06EA, 0x06ED}, {0x0E31, 0x0E31},
    {0x0E34, 0x0E3A},   {0x0E47, 0x0E4E},   {0x1AB0, 0x1AFF},   {0x1DC0, 0x1DFF}, {0x200C, 0x200D},
    {0x20D0, 0x20FF},   {0x3099, 0x309A},   {0xFE00, 0xFE0F},   {0xFE20, 0xFE2F}, {0x1F3FB, 0x1F3FF},
    {0xE0020, 0xE007F}, {0xE0100, 0xE01EF},
};

bool IsRegionalIndicator(char32_t c) { return c >= 0x1F1E6 && c <= 0x1F1FF; }

struct Walk {
    size_t characters = 0;
    size_t end = 0;  // the byte after the last character counted
};

// Counts characters up to `limit`, stopping before the first one past it.
Walk WalkCharacters(std::string_view text, size_t limit) {
    Walk walk;
    char32_t previous = 0;
    size_t regional_run = 0;  // regional indicators in a row before this code point
    for (size_t pos = 0; pos < text.size();) {
        const Utf8Char ch = DecodeUtf8(text, pos);
        const char32_t c = ch.code_point;
        bool starts = pos == 0 || !ch.well_formed;
        if (!starts) {
            const bool joined = previous == 0x200D;
            const bool crlf = previous == '\r' && c == '\n';
            const bool flag_half = IsRegionalIndicator(c) && regional_run % 2 == 1;
            starts = !(ExtendsCharacter(c) || joined || crlf || flag_half);
        }
        if (starts) {
            if (walk.characters == limit) return walk;
            ++walk.characters;
        }
        regional_run = IsRegionalIndicator(c) ? regional_run + 1 : 0;
        previous = ch.well_formed ? c : 0;
        pos += ch.length;
        walk.end = pos;
    }
    return walk;
}

}  // namespace

bool ExtendsCharacter(char32_t c) {
    for (const Range& r : kExtending)
        if (c >= r.first && c <= r.last) return true;
    return false;
}

size_t CountCharacters(std::string_view utf8) {
    return WalkCharacters(utf8, std::numeric_limits<size_t>::max()).characters;
}

std::string_view CutToCharacters(std::string_view utf8, size_t limit) {
    return utf8.substr(0, WalkCharacters(utf8, limit).end);
}

}  // namespace gd
