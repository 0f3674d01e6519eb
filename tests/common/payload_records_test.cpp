// The caption record, the music entry and the font layout they share.
#include <gtest/gtest.h>

#include "common/byte_io.h"
#include "common/caption_record.h"
#include "common/log_font.h"
#include "common/music_entry.h"

namespace gd {
namespace {

LogFont SampleFont() {
    LogFont f;
    f.height = -30;
    f.width = 20;
    f.escapement = 900;
    f.orientation = -900;
    f.weight = 700;
    f.italic = 1;
    f.underline = 1;
    f.strike_out = 0;
    f.char_set = 204;
    f.out_precision = 2;
    f.clip_precision = 3;
    f.quality = 4;
    f.pitch_and_family = 30;
    f.face_name = "MS Sans Serif";
    return f;
}

TEST(LogFont, LaysOutSixtyBytes) {
    std::vector<uint8_t> b = EncodeLogFont(SampleFont());
    ASSERT_EQ(b.size(), 60u);
    EXPECT_EQ(ReadI32(b.data() + 0), -30);
    EXPECT_EQ(ReadI32(b.data() + 8), 900);
    EXPECT_EQ(ReadI32(b.data() + 12), -900);
    EXPECT_EQ(ReadI32(b.data() + 16), 700);
    EXPECT_EQ(b[20], 1);
    EXPECT_EQ(b[23], 204);
    EXPECT_EQ(b[25], 3);
    EXPECT_EQ(b[27], 30);
    EXPECT_EQ(ReadFixedText(b.data() + 28, 32), "MS Sans Serif");
    EXPECT_EQ(DecodeLogFont(b), SampleFont());
    EXPECT_FALSE(DecodeLogFont(std::span(b).first(59)));
}

TEST(LogFont, FaceNameKeepsItsNulAndAFullFieldReadsSafely) {
    LogFont f;
    f.face_name = std::string(40, 'F');
    std::vector<uint8_t> b = EncodeLogFont(f);
    EXPECT_EQ(b[28 + 30], 'F');
    EXPECT_EQ(b[28 + 31], 0);
    EXPECT_EQ(DecodeLogFont(b)->face_name, std::string(31, 'F'));

    // A field without its NUL: the byte in the NUL's place is no part of the name, so the
    // font reads as it will be written.
    std::fill(b.begin() + 28, b.end(), 'G');
    EXPECT_EQ(DecodeLogFont(b)->face_name, std::string(31, 'G'));
    EXPECT_EQ(DecodeLogFont(EncodeLogFont(*DecodeLogFont(b))), DecodeLogFont(b));
}

TEST(LogFont, StreamReadFailsOnShortInput) {
    ByteWriter w;
    WriteLogFont(w, SampleFont());
    w.U8(9);
    std::vector<uint8_t> bytes = w.Take();
    ByteReader r(bytes);
    EXPECT_EQ(ReadLogFont(r), SampleFont());
    EXPECT_FALSE(ReadLogFont(r));
    EXPECT_FALSE(r.ok());
}

TEST(CaptionRecord, RoundTripsAtItsOffsets) {
    CaptionRecord c{SampleFont(), 0x000000FF, 7, "Summer 2026"};
    std::vector<uint8_t> b = EncodeCaptionRecord(c);
    ASSERT_EQ(b.size(), 136u);
    EXPECT_EQ(ReadI32(b.data()), -30);
    EXPECT_EQ(ReadU32(b.data() + 60), 0xFFu);
    EXPECT_EQ(ReadI32(b.data() + 64), 7);
    EXPECT_EQ(ReadFixedText(b.data() + 68, 64), "Summer 2026");
    EXPECT_EQ(DecodeCaptionRecord(b), c);
    EXPECT_FALSE(DecodeCaptionRecord(std::span(b).first(135)));
}

TEST(CaptionRecord, SixtyFourByteTextFillsTheFieldWithoutNul) {
    std::string text(64, 'c');
    text[0] = 'A';
    text[63] = 'Z';
    CaptionRecord c;
    c.text = "  " + text + "\t\n";
    std::vector<uint8_t> b = EncodeCaptionRecord(c);
    EXPECT_EQ(b[68], 'A');
    EXPECT_EQ(b[131], 'Z');
    for (size_t i = 132; i < 136; ++i) EXPECT_EQ(b[i], 0);
    EXPECT_EQ(DecodeCaptionRecord(b)->text, text);

    CaptionRecord longer;
    longer.text = std::string(80, 'x');
    EXPECT_EQ(DecodeCaptionRecord(EncodeCaptionRecord(longer))->text, std::string(64, 'x'));
    // A cut that ends in blanks does not store them.
    longer.text = std::string(62, 'x') + "  y";
    EXPECT_EQ(DecodeCaptionRecord(EncodeCaptionRecord(longer))->text, std::string(62, 'x'));
}

TEST(CaptionRecord, NonZeroTailDoesNotLeakIntoTheText) {
    std::vector<uint8_t> b(136, 'q');
    EXPECT_EQ(DecodeCaptionRecord(b)->text, std::string(64, 'q'));
}

TEST(MusicEntry, ExtensionTagFollowsTheFileName) {
    EXPECT_EQ(MusicExtensionTag("song.midi"), "MID");
    EXPECT_EQ(MusicExtensionTag("SONG.MIDI"), "MID");
    EXPECT_EQ(MusicExtensionTag("C:\\music\\song.wav"), "WAV");
    EXPECT_EQ(MusicExtensionTag("/home/me/a.b/song.mp3"), "MP3");
    EXPECT_EQ(MusicExtensionTag("song.ra"), "RA");
    EXPECT_EQ(MusicExtensionTag("tar.gz.Ogg"), "OGG");
    EXPECT_EQ(MusicExtensionTag("/music.d/noext"), "");
    EXPECT_EQ(MusicExtensionTag("trailing."), "");
}

TEST(MusicEntry, TagBytesThenData) {
    MusicEntry e{MusicExtensionTag("x.ra"), {1, 2, 3, 4}};
    std::vector<uint8_t> b = EncodeMusicEntry(e);
    EXPECT_EQ(b, (std::vector<uint8_t>{'R', 'A', 0, 1, 2, 3, 4}));
    EXPECT_EQ(DecodeMusicEntry(b), e);

    MusicEntry midi{MusicExtensionTag("x.midi"), {}};
    EXPECT_EQ(EncodeMusicEntry(midi), (std::vector<uint8_t>{'M', 'I', 'D'}));
    EXPECT_EQ(DecodeMusicEntry(EncodeMusicEntry(midi)), midi);
}

TEST(MusicEntry, ShortOrUnterminatedTags) {
    std::vector<uint8_t> two{'W', 'A'};
    EXPECT_FALSE(DecodeMusicEntry(two));
    std::vector<uint8_t> tag_only{'W', 'A', 'V'};
    auto e = DecodeMusicEntry(tag_only);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->extension, "WAV");
    EXPECT_TRUE(e->data.empty());
}

}  // namespace
}  // namespace gd
