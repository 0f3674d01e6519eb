#include "common/log_font.h"

namespace gd {

void WriteLogFont(uint8_t* field, const LogFont& font) {
    WriteI32(field + 0, font.height);
    WriteI32(field + 4, font.width);
    WriteI32(field + 8, font.escapement);
    WriteI32(field + 12, font.orientation);
    WriteI32(field + 16, font.weight);
    field[20] = font.italic;
    field[21] = font.underline;
    field[22] = font.strike_out;
    field[23] = font.char_set;
    field[24] = font.out_precision;
    field[25] = font.clip_precision;
    field[26] = font.quality;
    field[27] = font.pitch_and_family;
    WriteFixedText(field + 28, kFaceNameField, kFaceNameLimit, font.face_name);
}

LogFont ReadLogFont(const uint8_t* field) {
    LogFont font;
    font.height = ReadI32(field + 0);
    font.width = ReadI32(field + 4);
    font.escapement = ReadI32(field + 8);
    font.orientation = ReadI32(field + 12);
    font.weight = ReadI32(field + 16);
    font.italic = field[20];
    font.underline = field[21];
    font.strike_out = field[22];
    font.char_set = field[23];
    font.out_precision = field[24];
    font.clip_precision = field[25];
    font.quality = field[26];
    font.pitch_and_family = field[27];
    // The field keeps a NUL after the name: a 32nd byte in its place is no part of the
    // name (the platform's font field never passes it on, and a write drops it), so it is
    // dropped here, and a font reads as it will be written.
    font.face_name = ReadFixedText(field + 28, kFaceNameLimit);
    return font;
}

void WriteLogFont(ByteWriter& out, const LogFont& font) {
    uint8_t field[kLogFontSize];
    WriteLogFont(field, font);
    out.Bytes(field);
}

std::optional<LogFont> ReadLogFont(ByteReader& in) {
    auto bytes = in.Bytes(kLogFontSize);
    if (!in.ok()) return std::nullopt;
    return ReadLogFont(bytes.data());
}

std::vector<uint8_t> EncodeLogFont(const LogFont& font) {
    std::vector<uint8_t> bytes(kLogFontSize);
    WriteLogFont(bytes.data(), font);
    return bytes;
}

std::optional<LogFont> DecodeLogFont(std::span<const uint8_t> bytes) {
    if (bytes.size() != kLogFontSize) return std::nullopt;
    return ReadLogFont(bytes.data());
}

}  // namespace gd
