#pragma once
// The 60-byte font description shared by the configuration record, the caption record,
// the project file and the caption defaults. Its bytes follow the platform's ANSI
// logical-font layout: five int32, eight single bytes, a 32-byte face name.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/byte_io.h"

namespace gd {

constexpr size_t kLogFontSize = 60;
constexpr size_t kFaceNameField = 32;
// The face name keeps room for its NUL inside the field; reading stops there too.
constexpr size_t kFaceNameLimit = kFaceNameField - 1;

struct LogFont {
    int32_t height = 0;       // negative: character height in pixels; positive: cell height
    int32_t width = 0;        // 0: default
    int32_t escapement = 0;   // tenths of a degree
    int32_t orientation = 0;  // tenths of a degree
    int32_t weight = 0;       // 400 normal, 700 bold
    uint8_t italic = 0;
    uint8_t underline = 0;
    uint8_t strike_out = 0;
    uint8_t char_set = 0;
    uint8_t out_precision = 0;
    uint8_t clip_precision = 0;
    uint8_t quality = 0;
    uint8_t pitch_and_family = 0;
    std::string face_name;  // cut to kFaceNameLimit bytes when written

    friend bool operator==(const LogFont&, const LogFont&) = default;
};

// Field-level access for records that embed a font: `field` spans kLogFontSize bytes.
void WriteLogFont(uint8_t* field, const LogFont& font);
LogFont ReadLogFont(const uint8_t* field);

// Stream forms for sequential files; reading fails the reader when fewer than 60 bytes
// remain.
void WriteLogFont(ByteWriter& out, const LogFont& font);
std::optional<LogFont> ReadLogFont(ByteReader& in);

std::vector<uint8_t> EncodeLogFont(const LogFont& font);
// Accepts exactly kLogFontSize bytes.
std::optional<LogFont> DecodeLogFont(std::span<const uint8_t> bytes);

}  // namespace gd
