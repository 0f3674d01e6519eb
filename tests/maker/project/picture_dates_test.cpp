#include "maker/project/picture_dates.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <filesystem>

#include "tests/maker/project/metadata_samples.h"
#include "tests/maker/project/temp_folder.h"

namespace gd {
namespace {

using namespace gd::test;

constexpr CalendarTime kTaken{2019, 8, 17, 18, 30, 45};
constexpr char kTakenText[] = "2019:08:17 18:30:45";

std::optional<CalendarTime> In(const ByteList& file) { return CaptureTimeIn(file); }

TEST(RecordedTime, ReadsExifAndXmpForms) {
    EXPECT_EQ(ParseRecordedTime("2019:08:17 18:30:45"), kTaken);
    EXPECT_EQ(ParseRecordedTime("2019-08-17T18:30:45.120+02:00"), kTaken);
    EXPECT_EQ(ParseRecordedTime(" 2019-08-17T18:30:45Z"), kTaken);
    EXPECT_EQ(ParseRecordedTime("2019-08-17T18:30"), (CalendarTime{2019, 8, 17, 18, 30, 0}));
    EXPECT_EQ(ParseRecordedTime("2019-08-17"), (CalendarTime{2019, 8, 17}));
    for (const char* bad : {"", "0000:00:00 00:00:00", "    :  :     :  :  ", "2019:02:30 10:00:00", "2019-08",
                            "2019", "19:08:17", "2019:08:17 25:00:00", "2019:08:17 18", "2019:08:17 18:30:4x",
                            "2019/08/17", "abcd:ef:gh"})
        EXPECT_EQ(ParseRecordedTime(bad), std::nullopt) << bad;
}

TEST(CaptureTime, FromTheExifBlockOfEachFormat) {
    for (bool big_endian : {false, true}) {
        const ByteList tiff = ExifTiff(kTakenText, big_endian);
        EXPECT_EQ(In(JpegWith(ExifSegment(tiff))), kTaken) << big_endian;
        EXPECT_EQ(In(tiff), kTaken) << "a TIFF file is the structure";
        EXPECT_EQ(In(PngWith(PngChunk("eXIf", tiff))), kTaken);
        EXPECT_EQ(In(WebpWith(Concat(RiffChunk("VP8 ", ByteList(7, 9)), RiffChunk("EXIF", tiff)))), kTaken);
        // WebP writers differ on the "Exif\0\0" before the structure.
        EXPECT_EQ(In(WebpWith(RiffChunk("EXIF", Concat(Text(std::string("Exif\0\0", 6)), tiff)))), kTaken);
        // HEIF and AVIF: an item somewhere in the file, found by its header.
        const ByteList heif = Concat(Concat(Text(std::string("\0\0\0\x18" "ftypheic", 12)), ByteList(40, 0x45)),
                                     Concat(Text(std::string("\0\0\0\x06" "Exif\0\0", 10)), tiff));
        EXPECT_EQ(In(heif), kTaken);
    }
    // A JPEG's other APP1 segments and markers before the EXIF block are passed over.
    EXPECT_EQ(In(JpegWith(Concat(JpegSegment(0xE0, Text("JFIF")), ExifSegment(ExifTiff(kTakenText))))), kTaken);
}

TEST(CaptureTime, OnlyTheOriginalCaptureTimeOfTheExifDetailsCounts) {
    // 0x0132 is the time the file was last changed by a program, 0x9004 when it was digitised.
    EXPECT_EQ(In(JpegWith(ExifSegment(ExifTiff(kTakenText, false, 0x0132)))), std::nullopt);
    EXPECT_EQ(In(JpegWith(ExifSegment(ExifTiff(kTakenText, false, 0x9004)))), std::nullopt);
    EXPECT_EQ(In(JpegWith(ExifSegment(ExifTiff("0000:00:00 00:00:00")))), std::nullopt);
    // The EXIF block after the first scan is not the picture's.
    EXPECT_EQ(In(Concat(JpegWith({}), ExifSegment(ExifTiff(kTakenText)))), std::nullopt);
}

TEST(CaptureTime, FromXmpWhenTheExifBlockHasNone) {
    const CalendarTime created{2020, 1, 2, 3, 4, 5};
    const std::string original_attribute = "exif:DateTimeOriginal=\"2019-08-17T18:30:45+02:00\" ";
    const std::string created_attribute = "xmp:CreateDate='2020-01-02T03:04:05' ";
    // As attributes, as elements, and with the capture time before the creation time.
    EXPECT_EQ(In(JpegWith(XmpSegment(XmpPacket(created_attribute + original_attribute + ">")))), kTaken);
    const ByteList elements = XmpPacket("><xmp:CreateDate>2020-01-02T03:04:05</xmp:CreateDate>"
                                        "<exif:DateTimeOriginal>2019-08-17T18:30:45</exif:DateTimeOriginal>");
    EXPECT_EQ(In(PngWith(PngChunk("iTXt", Concat(Text(std::string("XML:com.adobe.xmp\0\0\0\0\0", 22)), elements)))),
              kTaken);
    EXPECT_EQ(In(WebpWith(RiffChunk("XMP ", XmpPacket(created_attribute + ">")))), created);
    // A name that only ends like the property's, and a value that is no time, are passed over.
    EXPECT_EQ(In(WebpWith(RiffChunk("XMP ", XmpPacket("myexif:DateTimeOriginal=\"2001-01-01\" "
                                                      "exif:DateTimeOriginal=\"unknown\" " + created_attribute + ">")))),
              created);
    // EXIF wins over XMP; XMP fills in for an EXIF block without the time.
    const ByteList xmp = XmpSegment(XmpPacket(created_attribute + ">"));
    EXPECT_EQ(In(JpegWith(Concat(ExifSegment(ExifTiff(kTakenText)), xmp))), kTaken);
    EXPECT_EQ(In(JpegWith(Concat(ExifSegment(ExifTiff(kTakenText, false, 0x0132)), xmp))), created);
    // Outside an XMP packet the words mean nothing.
    EXPECT_EQ(In(Text("exif:DateTimeOriginal=\"2019-08-17T18:30:45\"")), std::nullopt);
}

TEST(CaptureTime, DamagedBlocksGiveNothingAndReadNothingOutside) {
    const ByteList tiff = ExifTiff(kTakenText);
    for (size_t keep = 0; keep < tiff.size(); ++keep) {
        const ByteList cut(tiff.begin(), tiff.begin() + std::ptrdiff_t(keep));
        EXPECT_EQ(In(JpegWith(ExifSegment(cut))), std::nullopt) << keep;
        EXPECT_EQ(In(PngWith(PngChunk("eXIf", cut))), std::nullopt) << keep;
    }
    EXPECT_EQ(In(JpegWith(ExifSegment(ExifTiff(kTakenText, false, 0x9003, 8)))), std::nullopt) << "points at itself";
    EXPECT_EQ(In(JpegWith(ExifSegment(ExifTiff(kTakenText, false, 0x9003, 0xFFFFFFF0)))), std::nullopt);
    ByteList text_outside = ExifTiff(kTakenText);
    text_outside[36] = 0xF0;  // the text's offset, far past the block
    EXPECT_EQ(In(JpegWith(ExifSegment(text_outside))), std::nullopt);
    // A segment or chunk whose length runs past the file's end.
    ByteList long_segment = JpegWith(ExifSegment(tiff));
    long_segment[4] = 0xFF;
    EXPECT_EQ(In(long_segment), std::nullopt);
    ByteList long_chunk = PngWith(PngChunk("eXIf", tiff));
    long_chunk[8 + 25] = 0x7F;  // the eXIf chunk's length, after the signature and IHDR
    EXPECT_EQ(In(long_chunk), std::nullopt);
    EXPECT_EQ(In(WebpWith(Concat(Text("VP8 "), LittleEndian32(0xFFFFFFF0)))), std::nullopt);
    EXPECT_EQ(In(Text("<x:xmpmeta exif:DateTimeOriginal=\"2019")), std::nullopt);
    EXPECT_EQ(In(Text("<x:xmpmeta><exif:DateTimeOriginal>2019-08-17")), std::nullopt);
}

// Sets the file's last change to `when` (seconds since 1970).
void SetChangeTime(const std::string& path, std::time_t when) {
    using namespace std::chrono;
    const auto system = system_clock::from_time_t(when);
    std::filesystem::last_write_time(Utf8Path(path), file_clock::from_sys(system));
}

CalendarTime Local(std::time_t when) {
    std::tm t = *std::localtime(&when);
    return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
}

TEST(PictureDatesOfFiles, TakenFromTheFileAndItsLastChange) {
    TempFolder folder;
    const std::time_t changed = 1625400000;  // 2021-07-04, midday in most of the world
    const std::string dated = folder.Write("Ferry \xC3\xA0 Ouessant.jpg", JpegWith(ExifSegment(ExifTiff(kTakenText))));
    const std::string plain = folder.Write("plain.jpg", JpegWith({}));
    SetChangeTime(dated, changed);
    SetChangeTime(plain, changed);
    EXPECT_EQ(ReadPictureDates(dated).taken, kTaken);
    EXPECT_EQ(ReadPictureDates(dated).modified, Local(changed));
    EXPECT_EQ(ReadPictureDates(plain).taken, std::nullopt);
    EXPECT_EQ(ReadPictureDates(plain).modified, Local(changed));
    EXPECT_EQ(ReadPictureDates(folder.File("missing.jpg")).modified, std::nullopt);
    EXPECT_EQ(ReadPictureDates(folder.File("missing.jpg")).taken, std::nullopt);

    // A WebP file keeps its EXIF chunk after the picture, here far past the first 256 KB.
    const std::string late = folder.Write(
        "late.webp", WebpWith(Concat(RiffChunk("VP8 ", ByteList(600 * 1024, 7)), RiffChunk("EXIF", ExifTiff(kTakenText)))));
    EXPECT_EQ(ReadPictureDates(late).taken, kTaken);
}

TEST(PictureDatesOfFiles, CaptionAsMadeFillsInOnlyWhatItHolds) {
    TempFolder folder;
    CPictureData picture;
    picture.szFile = folder.Write("IMG_7.jpg", JpegWith(ExifSegment(ExifTiff(kTakenText))));
    picture.szCaption = "{date:%d %B %Y} {file}";
    EXPECT_EQ(CaptionAsMade(picture, true), "17 August 2019 IMG_7");
    EXPECT_EQ(CaptionAsMade(picture, false), "{date:%d %B %Y} {file}");  // a project's fields off
    picture.szCaption = "  As typed 100%  ";
    EXPECT_EQ(CaptionAsMade(picture, true), "  As typed 100%  ");
    // Without a date to give, the file time stands in; without a file, the text stays.
    picture.szCaption = "{date:%Y}";
    picture.szFile = folder.Write("no-exif.jpg", JpegWith({}));
    SetChangeTime(picture.szFile, 1625400000);
    EXPECT_EQ(CaptionAsMade(picture, true), std::to_string(Local(1625400000).year));
    picture.szFile = folder.File("gone.jpg");
    EXPECT_EQ(CaptionAsMade(picture, true), "{date:%Y}");
}

}  // namespace
}  // namespace gd
