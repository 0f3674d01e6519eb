// Picture sequencing, the resource picture source, frame composition and text layout.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "common/random15.h"
#include "common/caption_texts.h"
#include "common/resource_types.h"
#include "effects/caption_layout.h"
#include "effects/prepare_frame.h"

namespace gd {
namespace {

// A 24-bit picture whose pixel (x, y) is MakePixel(x, y, tag).
CxImage MakePicture(int w, int h, uint8_t tag) {
    CxImage image;
    image.Create(w, h, 24);
    for (int y = 0; y < h; ++y) {
        uint8_t* row = image.GetBits() + size_t(h - 1 - y) * image.GetEffWidth();
        for (int x = 0; x < w; ++x) {
            row[3 * x] = tag;              // blue
            row[3 * x + 1] = uint8_t(y);   // green
            row[3 * x + 2] = uint8_t(x);   // red
        }
    }
    return image;
}

// Pictures 0..N-1 of 4 x 3 pixels tagged with their index; `missing` ones fail to decode.
class ListSource : public PictureSource {
public:
    bool DecodePicture(int32_t index, CxImage& image) override {
        decoded.push_back(index);
        if (missing.count(index)) return false;
        image = MakePicture(4, 3, uint8_t(index));
        return true;
    }
    std::optional<CaptionRecord> Caption(int32_t index) override {
        auto it = captions.find(index);
        if (it == captions.end()) return std::nullopt;
        return it->second;
    }
    std::vector<int32_t> decoded;
    std::set<int32_t> missing;
    std::map<int32_t, CaptionRecord> captions;
};

std::vector<int32_t> Sequence(ShowSettings& settings, ListSource& source, int count) {
    std::vector<int32_t> shown;
    for (int k = 0; k < count; ++k) {
        CxImage image;
        bool ok = LoadNextPicture(settings, source, image);
        shown.push_back(ok ? (image.IsValid() ? settings.current_picture : -1) : -2);
    }
    return shown;
}

TEST(LoadNextPicture, OnePictureAlternatesWithAnEmptyFrame) {
    ShowSettings s;
    s.picture_count = 1;
    ListSource source;
    EXPECT_EQ(Sequence(s, source, 5), (std::vector<int32_t>{0, -1, 0, -1, 0}));
    EXPECT_EQ(source.decoded, (std::vector<int32_t>{0, 0, 0}));
}

TEST(LoadNextPicture, TwoPicturesAlternateFromTheFirstWhateverTheShuffleFlag) {
    for (bool shuffle : {true, false}) {
        ShowSettings s;
        s.picture_count = 2;
        s.shuffle_pictures = shuffle;
        ListSource source;
        EXPECT_EQ(Sequence(s, source, 5), (std::vector<int32_t>{0, 1, 0, 1, 0}));
    }
}

TEST(LoadNextPicture, ShuffleNeverShowsAPictureTwiceInARow) {
    ShowSettings s;
    s.picture_count = 3;
    ListSource source;
    SeedRandom(2024);
    std::vector<int32_t> shown = Sequence(s, source, 200);
    std::set<int32_t> seen(shown.begin(), shown.end());
    EXPECT_EQ(seen, (std::set<int32_t>{0, 1, 2}));
    for (size_t k = 1; k < shown.size(); ++k) EXPECT_NE(shown[k], shown[k - 1]) << k;
}

TEST(LoadNextPicture, InOrderWrapsAndAMissingPictureStillAdvances) {
    ShowSettings s;
    s.picture_count = 4;
    s.shuffle_pictures = false;
    ListSource source;
    source.missing = {2};
    EXPECT_EQ(Sequence(s, source, 6), (std::vector<int32_t>{0, 1, -2, 3, 0, 1}));
    ShowSettings none;  // N = 0
    CxImage image;
    EXPECT_FALSE(LoadNextPicture(none, source, image));
}

TEST(LoadNextPicture, TakesTheCaptionOrClearsItsText) {
    ShowSettings s;
    s.picture_count = 2;
    ListSource source;
    CaptionRecord caption;
    caption.text = "Harbour at dusk";
    caption.color = 0x0000FF;
    caption.position = 7;
    caption.font.face_name = "DejaVu Serif";
    source.captions[0] = caption;
    CxImage image;
    ASSERT_TRUE(LoadNextPicture(s, source, image));
    EXPECT_EQ(s.caption_text, "Harbour at dusk");
    EXPECT_EQ(s.caption_position, 7);
    EXPECT_EQ(s.caption_font.face_name, "DejaVu Serif");
    ASSERT_TRUE(LoadNextPicture(s, source, image));  // picture 1 has no caption
    EXPECT_EQ(s.caption_text, "");
    EXPECT_EQ(s.caption_position, 7);  // the rest stays
}

TEST(ResourcePictureSource, DecodesPicturesAndTakesOnlyWholeCaptionRecords) {
    std::vector<uint8_t> jpeg;
    CxImage picture = MakePicture(8, 6, 0x80);
    ASSERT_TRUE(picture.Encode(jpeg, kFormatJpeg));
    CaptionRecord caption;
    caption.text = "Kept";
    std::vector<uint8_t> good = EncodeCaptionRecord(caption);
    std::vector<uint8_t> short_record(good.begin(), good.end() - 1);
    std::map<std::pair<uint16_t, uint16_t>, std::vector<uint8_t>> entries = {
        {{RT_SAVER_PICTURE, 0}, jpeg},
        {{RT_SAVER_PICTURE, 1}, {1, 2, 3}},
        {{RT_SAVER_CAPTION, 0}, good},
        {{RT_SAVER_CAPTION, 1}, short_record},
    };
    ResourcePictureSource source([&](uint16_t type, uint16_t id) -> std::optional<std::span<const uint8_t>> {
        auto it = entries.find({type, id});
        if (it == entries.end()) return std::nullopt;
        return std::span<const uint8_t>(it->second);
    });
    CxImage image;
    EXPECT_TRUE(source.DecodePicture(0, image));
    EXPECT_EQ(image.GetWidth(), 8);
    EXPECT_FALSE(source.DecodePicture(1, image));  // not a picture
    EXPECT_FALSE(source.DecodePicture(2, image));  // missing
    ASSERT_TRUE(source.Caption(0).has_value());
    EXPECT_EQ(source.Caption(0)->text, "Kept");
    EXPECT_FALSE(source.Caption(0)->texts) << "no caption text record: the narrow text alone";
    EXPECT_FALSE(source.Caption(1).has_value());  // 135 bytes
    EXPECT_FALSE(source.Caption(2).has_value());

    // A caption text record beside a caption gives it its Unicode texts; one beside a
    // caption record that is refused gives nothing.
    entries[{RT_SAVER_CAPTION_TEXTS, 0}] = EncodeCaptionTexts({"Łódź — zima", "Gentium"});
    entries[{RT_SAVER_CAPTION_TEXTS, 1}] = EncodeCaptionTexts({"Москва", "Gentium"});
    ASSERT_TRUE(source.Caption(0).has_value());
    EXPECT_EQ(source.Caption(0)->text, "Kept");
    EXPECT_EQ(source.Caption(0)->texts, (CaptionTexts{"Łódź — zima", "Gentium"}));
    EXPECT_FALSE(source.Caption(1).has_value());
}

TEST(LoadNextPicture, DrawsACaptionFromItsUnicodeTextsWhenItHasThem) {
    ShowSettings s;
    s.picture_count = 2;
    ListSource source;
    CaptionRecord narrow;
    narrow.text = "L\xF3" "dz \x97 zima";
    narrow.font.face_name = "Caption Face";
    CaptionRecord wide = narrow;
    wide.texts = CaptionTexts{"Łódź — zima", "Czcionka"};
    source.captions[0] = wide;
    source.captions[1] = narrow;
    CxImage image;
    ASSERT_TRUE(LoadNextPicture(s, source, image));
    EXPECT_EQ(s.caption_text, "Łódź — zima");
    EXPECT_EQ(s.caption_font.face_name, "Czcionka");
    EXPECT_EQ(s.caption_form, TextForm::kUtf8);
    ASSERT_TRUE(LoadNextPicture(s, source, image));
    EXPECT_EQ(s.caption_text, narrow.text) << "a caption without them is ANSI text, as always";
    EXPECT_EQ(s.caption_font.face_name, "Caption Face");
    EXPECT_EQ(s.caption_form, TextForm::kAnsi);
}

struct TextCall {
    std::string text;
    Rect rect;
    unsigned format;
    std::string face;
    ColorRef color;
    TextForm form;
};

class RecordingText : public TextRenderer {
public:
    void DrawText(Bitmap&, std::string_view text, TextForm form, const Rect& rect, unsigned format,
                  const LogFont& font, ColorRef color) override {
        calls.push_back({std::string(text), rect, format, font.face_name, color, form});
    }
    std::vector<TextCall> calls;
};

struct Composer {
    Composer() : stage(settings, Bitmap(200, 150), clock) {
        settings.move_picture = false;
        settings.background_color = 0x00336699;  // ColorRef: red 0x99, green 0x66, blue 0x33
    }
    ShowSettings settings;
    FakeClock clock{777};
    SlideStage stage;
    RecordingText text;
};

TEST(PrepareFrame, FillsTheBackgroundAndDrawsThePictureScaledWithoutSmoothing) {
    Composer c;
    c.settings.auto_adjust_size = false;
    CxImage picture = MakePicture(300, 100, 5);  // wider than the stage: fitted to 200 x 66
    PrepareFrame(c.stage, picture, &c.text);
    EXPECT_EQ(c.stage.placed, (Rect{0, 42, 200, 108}));
    EXPECT_EQ(c.stage.start_time, 777u);
    const Bitmap& f = c.stage.frame();
    EXPECT_EQ(f.pixel(0, 0), MakePixel(0x99, 0x66, 0x33));
    EXPECT_EQ(f.pixel(199, 41), MakePixel(0x99, 0x66, 0x33));
    EXPECT_EQ(f.pixel(199, 108), MakePixel(0x99, 0x66, 0x33));
    for (int dy : {0, 1, 33, 65})
        for (int dx : {0, 1, 2, 100, 199})
            EXPECT_EQ(f.pixel(dx, 42 + dy), MakePixel(uint8_t(dx * 300 / 200), uint8_t(dy * 100 / 66), 5))
                << dx << "," << dy;
}

TEST(PrepareFrame, EmptyFrameShowsOnlyBackgroundAndBanner) {
    Composer c;
    c.settings.banner_text = "  Our holidays\t";
    c.settings.banner_position = 1;
    c.settings.caption_text = "left over";  // an empty frame never has a caption in a show,
    c.settings.show_captions = false;       // and with captions off none is drawn anyway
    CxImage empty;
    empty.Create(0, 0, 24);
    PrepareFrame(c.stage, empty, &c.text);
    EXPECT_TRUE(c.stage.frame() == Bitmap(200, 150, MakePixel(0x99, 0x66, 0x33)));
    ASSERT_EQ(c.text.calls.size(), 1u);
    EXPECT_EQ(c.text.calls[0].text, "Our holidays");
    EXPECT_EQ(c.text.calls[0].rect, (Rect{10, 10, 190, 140}));
    EXPECT_EQ(c.text.calls[0].format, unsigned(kTextCenter | kTextBottom | kTextSingleLine | kTextNoClip));
}

TEST(PrepareFrame, DrawsTheCaptionInsetThenTheBannerOverIt) {
    Composer c;
    c.settings.caption_text = "\n Line one\nLine two \n";
    c.settings.caption_position = 2;
    c.settings.caption_color = 0x0000FF;
    c.settings.caption_font.face_name = "Caption Face";
    c.settings.banner_text = "Banner";
    c.settings.banner_position = 0;
    CxImage picture = MakePicture(4, 3, 1);
    PrepareFrame(c.stage, picture, &c.text);
    ASSERT_EQ(c.text.calls.size(), 2u);
    EXPECT_EQ(c.text.calls[0].text, "Line one\nLine two");
    EXPECT_EQ(c.text.calls[0].rect, (Rect{50, 50, 150, 100}));
    EXPECT_EQ(c.text.calls[0].format, unsigned(kTextRight | kTextTop | kTextNoClip));
    EXPECT_EQ(c.text.calls[0].face, "Caption Face");
    EXPECT_EQ(c.text.calls[0].color, 0x0000FFu);
    EXPECT_EQ(c.text.calls[1].text, "Banner");
    EXPECT_EQ(c.text.calls[1].format, unsigned(kTextCenter | kTextTop | kTextNoClip));
    EXPECT_EQ(c.text.calls[0].form, TextForm::kAnsi);
    EXPECT_EQ(c.text.calls[1].form, TextForm::kAnsi);
}

TEST(PrepareFrame, EachTextIsDrawnInItsOwnForm) {
    Composer c;
    c.settings.caption_text = "  Łódź — zima ";
    c.settings.caption_form = TextForm::kUtf8;
    c.settings.banner_text = "Banner";
    CxImage picture = MakePicture(4, 3, 1);
    PrepareFrame(c.stage, picture, &c.text);
    ASSERT_EQ(c.text.calls.size(), 2u);
    EXPECT_EQ(c.text.calls[0].text, "Łódź — zima");
    EXPECT_EQ(c.text.calls[0].form, TextForm::kUtf8);
    EXPECT_EQ(c.text.calls[1].form, TextForm::kAnsi);
}

TEST(PrepareFrame, BlankCaptionDrawsNothing) {
    Composer c;
    c.settings.caption_text = " \t\r\n ";
    CxImage picture = MakePicture(4, 3, 1);
    PrepareFrame(c.stage, picture, &c.text);
    EXPECT_TRUE(c.text.calls.empty());
}

TEST(CaptionLayout, FollowsThePositionTableAndFallsBackToTopLeft) {
    const unsigned single = kTextSingleLine;
    EXPECT_EQ(CaptionFormat(0), unsigned(kTextLeft | kTextTop | kTextNoClip));
    EXPECT_EQ(CaptionFormat(1), unsigned(kTextCenter | kTextTop | kTextNoClip));
    EXPECT_EQ(CaptionFormat(3), unsigned(kTextLeft | kTextVCenter | single | kTextNoClip));
    EXPECT_EQ(CaptionFormat(4), unsigned(kTextCenter | kTextVCenter | single | kTextNoClip));
    EXPECT_EQ(CaptionFormat(5), unsigned(kTextRight | kTextVCenter | single | kTextNoClip));
    EXPECT_EQ(CaptionFormat(6), unsigned(kTextLeft | kTextBottom | single | kTextNoClip));
    EXPECT_EQ(CaptionFormat(8), unsigned(kTextRight | kTextBottom | single | kTextNoClip));
    EXPECT_EQ(CaptionFormat(9), CaptionFormat(0));
    EXPECT_EQ(CaptionFormat(-1), CaptionFormat(0));
    EXPECT_EQ(BannerFormat(2), unsigned(kTextLeft | kTextTop | kTextNoClip));
    EXPECT_EQ(BannerFormat(-7), BannerFormat(2));
}

}  // namespace
}  // namespace gd
