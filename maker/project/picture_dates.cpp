#include "maker/project/picture_dates.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <vector>

#include "common/byte_io.h"
#include "imaging/exif_fields.h"
#include "maker/project/file_io.h"
#include "maker/project/file_time.h"

namespace gd {
namespace {

using FileBytes = std::span<const uint8_t>;

constexpr uint16_t kExifDetailsTag = 0x8769;
constexpr uint16_t kDateTimeOriginalTag = 0x9003;
// JPEG keeps its metadata among the markers before the picture's data; 256 KB holds
// them (each segment is at most 64 KB) without reading a large photo whole.
constexpr size_t kJpegHeadBytes = 256 * 1024;

bool StartsWith(FileBytes bytes, std::string_view prefix, size_t at = 0) {
    return at <= bytes.size() && prefix.size() <= bytes.size() - at &&
           std::memcmp(bytes.data() + at, prefix.data(), prefix.size()) == 0;
}

bool IsJpeg(FileBytes file) { return StartsWith(file, "\xFF\xD8"); }

// The data of the first PNG chunk of `type`.
std::optional<FileBytes> PngChunk(FileBytes file, std::string_view type) {
    for (size_t pos = 8; pos + 12 <= file.size();) {
        const size_t length = ReadU32BigEndian(file.data() + pos);
        if (length > file.size() - pos - 12) break;
        if (StartsWith(file, type, pos + 4)) return file.subspan(pos + 8, length);
        pos += 12 + length;
    }
    return std::nullopt;
}

// The data of the first RIFF chunk of `type` in a WebP file.
std::optional<FileBytes> WebpChunk(FileBytes file, std::string_view type) {
    for (size_t pos = 12; pos + 8 <= file.size();) {
        const size_t length = ReadU32(file.data() + pos + 4);
        if (length > file.size() - pos - 8) break;
        if (StartsWith(file, type, pos)) return file.subspan(pos + 8, length);
        pos += 8 + length + (length & 1);  // chunks are padded to an even length
    }
    return std::nullopt;
}

// An EXIF block anywhere in the file, known by "Exif\0\0" and a TIFF header.
std::optional<FileBytes> FoundExifBlock(FileBytes file) {
    constexpr std::string_view kHeader("Exif\0\0", 6);
    auto at = file.begin();
    while ((at = std::search(at, file.end(), kHeader.begin(), kHeader.end())) != file.end()) {
        const FileBytes block = file.subspan(size_t(at - file.begin()) + kHeader.size());
        if (StartsWith(block, std::string_view("II*\0", 4)) || StartsWith(block, std::string_view("MM\0*", 4)))
            return block;
        ++at;
    }
    return std::nullopt;
}

std::optional<FileBytes> ExifBlockOf(FileBytes file) {
    if (IsJpeg(file)) return JpegExifBlock(file);
    if (StartsWith(file, std::string_view("II*\0", 4)) || StartsWith(file, std::string_view("MM\0*", 4))) return file;
    if (StartsWith(file, "\x89PNG\r\n\x1A\n")) return PngChunk(file, "eXIf");
    if (StartsWith(file, "RIFF") && StartsWith(file, "WEBP", 8)) return WebpChunk(file, "EXIF");
    return FoundExifBlock(file);
}

std::optional<CalendarTime> ExifCaptureTime(FileBytes file) {
    const std::optional<FileBytes> block = ExifBlockOf(file);
    if (!block) return std::nullopt;
    const std::optional<TiffFields> fields = TiffFields::Open(*block);
    if (!fields) return std::nullopt;
    const std::optional<size_t> details = fields->SubDirectory(fields->FirstDirectory(), kExifDetailsTag);
    if (!details) return std::nullopt;
    const std::optional<std::string> text = fields->Ascii(*details, kDateTimeOriginalTag);
    return text ? ParseRecordedTime(*text) : std::nullopt;
}

std::string_view AsText(FileBytes bytes) { return {reinterpret_cast<const char*>(bytes.data()), bytes.size()}; }

// The XMP packet: from its root element to the root's end (or the file's).
std::string_view XmpPacket(std::string_view file) {
    size_t start = file.find("<x:xmpmeta");
    const char* end_tag = "</x:xmpmeta>";
    if (start == std::string_view::npos) {
        start = file.find("<rdf:RDF");
        end_tag = "</rdf:RDF>";
    }
    if (start == std::string_view::npos) return {};
    const size_t end = file.find(end_tag, start);
    return file.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

bool IsXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The value of the property `name`, written as an attribute (name="value") or as an
// element (<name>value</name>).
std::optional<std::string_view> XmpProperty(std::string_view packet, std::string_view name) {
    for (size_t at = packet.find(name); at != std::string_view::npos; at = packet.find(name, at + 1)) {
        if (at == 0 || !(IsXmlSpace(packet[at - 1]) || packet[at - 1] == '<')) continue;  // part of a longer name
        size_t pos = at + name.size();
        while (pos < packet.size() && IsXmlSpace(packet[pos])) ++pos;
        if (pos >= packet.size()) break;
        if (packet[pos] == '>') {
            const size_t end = packet.find('<', pos + 1);
            if (end != std::string_view::npos) return packet.substr(pos + 1, end - pos - 1);
        } else if (packet[pos] == '=') {
            ++pos;
            while (pos < packet.size() && IsXmlSpace(packet[pos])) ++pos;
            if (pos >= packet.size() || (packet[pos] != '"' && packet[pos] != '\'')) continue;
            const size_t end = packet.find(packet[pos], pos + 1);
            if (end != std::string_view::npos) return packet.substr(pos + 1, end - pos - 1);
        }
    }
    return std::nullopt;
}

std::optional<CalendarTime> XmpCaptureTime(FileBytes file) {
    const std::string_view packet = XmpPacket(AsText(file));
    for (std::string_view name : {"exif:DateTimeOriginal", "xmp:CreateDate"})
        if (std::optional<std::string_view> value = XmpProperty(packet, name))
            if (std::optional<CalendarTime> time = ParseRecordedTime(*value)) return time;
    return std::nullopt;
}

// Reads `count` digits at `pos`, moving past them.
std::optional<int> Digits(std::string_view text, size_t& pos, size_t count) {
    if (text.size() - pos < count) return std::nullopt;
    int value = 0;
    for (size_t i = 0; i < count; ++i, ++pos) {
        if (text[pos] < '0' || text[pos] > '9') return std::nullopt;
        value = value * 10 + (text[pos] - '0');
    }
    return value;
}

bool Skip(std::string_view text, size_t& pos, std::string_view one_of) {
    if (pos >= text.size() || one_of.find(text[pos]) == std::string_view::npos) return false;
    ++pos;
    return true;
}

std::optional<CalendarTime> LocalTime(std::time_t when) {
    std::tm local{};
#ifdef _WIN32
    if (localtime_s(&local, &when) != 0) return std::nullopt;
#else
    if (!localtime_r(&when, &local)) return std::nullopt;
#endif
    return CalendarTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                        local.tm_hour,        local.tm_min,     local.tm_sec};
}

}  // namespace

std::optional<CalendarTime> ParseRecordedTime(std::string_view text) {
    while (!text.empty() && IsXmlSpace(text.front())) text.remove_prefix(1);
    size_t pos = 0;
    CalendarTime t;
    std::optional<int> year = Digits(text, pos, 4);
    if (!year || !Skip(text, pos, ":-")) return std::nullopt;
    std::optional<int> month = Digits(text, pos, 2);
    if (!month || !Skip(text, pos, ":-")) return std::nullopt;
    std::optional<int> day = Digits(text, pos, 2);
    if (!day) return std::nullopt;
    t.year = *year, t.month = *month, t.day = *day;
    if (Skip(text, pos, " T")) {
        std::optional<int> hour = Digits(text, pos, 2);
        std::optional<int> minute = hour && Skip(text, pos, ":") ? Digits(text, pos, 2) : std::nullopt;
        if (!minute) return std::nullopt;
        t.hour = *hour, t.minute = *minute;
        if (Skip(text, pos, ":")) {
            std::optional<int> second = Digits(text, pos, 2);
            if (!second) return std::nullopt;
            t.second = *second;
        }
    }
    if (!IsValidCalendarTime(t)) return std::nullopt;
    return t;
}

std::optional<CalendarTime> CaptureTimeIn(std::span<const uint8_t> file) {
    if (std::optional<CalendarTime> time = ExifCaptureTime(file)) return time;
    return XmpCaptureTime(file);
}

PictureDates ReadPictureDates(const std::string& path) {
    PictureDates dates;
    if (std::optional<std::time_t> changed = FileChangeTime(path)) dates.modified = LocalTime(*changed);
    std::vector<uint8_t> bytes;
    if (ReadFileStart(path, kJpegHeadBytes, bytes) != ReadFileStatus::kOk) return dates;
    dates.taken = CaptureTimeIn(bytes);
    // Other formats may keep their metadata after the picture (WebP, TIFF, HEIF).
    if (!dates.taken && !IsJpeg(bytes) && bytes.size() == kJpegHeadBytes &&
        ReadWholeFile(path, bytes) == ReadFileStatus::kOk)
        dates.taken = CaptureTimeIn(bytes);
    return dates;
}

std::string CaptionAsMade(const CPictureData& picture, bool fill_in_fields) {
    if (!fill_in_fields || picture.szCaption.find('{') == std::string::npos) return picture.szCaption;
    const PictureDates dates = CaptionNeedsDate(picture.szCaption) ? ReadPictureDates(picture.szFile) : PictureDates{};
    return ExpandCaption(picture.szCaption, picture.szFile, dates);
}

}  // namespace gd
