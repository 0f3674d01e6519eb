// The texts of a made screensaver in Unicode: characters counted as the user sees them,
// UTF-16 text entries, the configuration's texts in the show extras record and each
// caption's text record, and what a record without them (made before them) stands for.
#include <gtest/gtest.h>

#include "common/caption_texts.h"
#include "common/character_count.h"
#include "common/saver_extras.h"

namespace gd {
namespace {

TEST(CharacterCount, CountsWhatTheUserSeesAndCutsOnlyBetweenCharacters) {
    struct Case {
        const char* text;
        size_t characters;
    };
    const Case cases[] = {
        {"", 0},
        {"Köln", 4},
        {"Ελλάδα 2026", 11},
        {"Москва", 6},
        {"東京の写真", 5},
        {"e\u0301te\u0301", 3},           // letters with combining accents
        {"\u304B\u3099", 1},              // か with its voicing mark: が
        {"\U0001F44D\U0001F3FD", 1},      // a thumb with its skin tone
        {"\U0001F469\u200D\U0001F4BB", 1},  // a woman and a laptop joined
        {"\U0001F1F5\U0001F1F1\U0001F1EC\U0001F1F7", 2},  // two flags
        {"a\r\nb", 3},
        {"K\xF6ln", 4},                   // a byte that is not UTF-8 is one
    };
    for (const Case& c : cases) EXPECT_EQ(CountCharacters(c.text), c.characters) << c.text;

    EXPECT_EQ(CutToCharacters("Ελλάδα 2026", 6), "Ελλάδα");
    EXPECT_EQ(CutToCharacters("e\u0301te\u0301", 1), "e\u0301") << "the accent stays with its letter";
    EXPECT_EQ(CutToCharacters("\U0001F1F5\U0001F1F1\U0001F1EC\U0001F1F7", 1), "\U0001F1F5\U0001F1F1");
    EXPECT_EQ(CutToCharacters("abc", 0), "");
    EXPECT_EQ(CutToCharacters("abc", 5), "abc");
}

TEST(TextEntries, HoldUtf16AndComeBackAsUtf8) {
    const KeyedEntry entry = Text16Entry("szName", "Ωx\U0001F388");
    EXPECT_EQ(entry.type, uint8_t(EntryType::kText16));
    EXPECT_EQ(entry.value, (std::vector<uint8_t>{0xA9, 0x03, 'x', 0, 0x3C, 0xD8, 0x88, 0xDF}));
    EXPECT_EQ(Text16Value(entry), "Ωx\U0001F388");
    EXPECT_EQ(Text16Value(Text16Entry("k", "")), "");
    EXPECT_EQ(Text16Value(Int32Entry("k", 5)), std::nullopt) << "a number is no text";
    KeyedEntry odd = entry;
    odd.value.pop_back();
    EXPECT_EQ(Text16Value(odd), std::nullopt) << "half a unit";
}

SaverConfig Narrow() {
    SaverConfig c;
    c.name = "?????? 2026";
    c.author = "Zo\xEB";  // Zoë in the code page
    c.banner = "??????";
    c.banner_font.face_name = "Arial";
    return c;
}

SaverTexts Unicode() {
    return {"Ελλάδα 2026", "Zoë", "zoe@example.org", "https://example.org", "© 2026 Zoë", "Зимние фото\r\nиз Москвы",
            "Москва", "ＭＳ ゴシック"};
}

TEST(SaverExtrasTexts, TheTextsGoThroughTheRecordWhole) {
    SaverConfig written = Narrow();
    written.texts = Unicode();
    SaverConfig read = Narrow();
    ASSERT_TRUE(ApplySaverExtras(EncodeSaverExtras(written), read));
    EXPECT_EQ(read.texts, Unicode());
    EXPECT_EQ(read.name, "?????? 2026") << "the narrow fields stay as the 744 bytes hold them";
    EXPECT_EQ(read, written);
}

TEST(SaverExtrasTexts, ARecordWithoutTextsLeavesTheNarrowFieldsAlone) {
    // Made before the texts: options only.
    SaverConfig read = Narrow();
    ASSERT_TRUE(ApplySaverExtras(EncodeSaverExtras(Narrow()), read));
    EXPECT_EQ(read.texts, std::nullopt);
    // Damaged: nothing of it is used, the texts neither.
    SaverConfig written = Narrow();
    written.texts = Unicode();
    std::vector<uint8_t> bytes = EncodeSaverExtras(written);
    bytes.pop_back();
    SaverConfig damaged = Narrow();
    EXPECT_FALSE(ApplySaverExtras(bytes, damaged));
    EXPECT_EQ(damaged, Narrow());
}

TEST(SaverExtrasTexts, AMissingTextIsItsNarrowFieldAndALongOneIsCut) {
    const std::string long_name = "Ελλάδα " + std::string(40, 'x');
    const std::vector<uint8_t> bytes =
        EncodeKeyedRecord(kSaverExtrasMagic, {Text16Entry("szName", long_name), Int32Entry("szAuthor", 3),
                                              Text16Entry("szFuture", "kept aside")});
    SaverConfig read = Narrow();
    ASSERT_TRUE(ApplySaverExtras(bytes, read));
    ASSERT_TRUE(read.texts);
    EXPECT_EQ(read.texts->name, std::string(CutToCharacters(long_name, kNameLimit)));
    EXPECT_EQ(CountCharacters(read.texts->name), kNameLimit);
    EXPECT_EQ(read.texts->author, "Zoë") << "a number where a text belongs stands for nothing";
    EXPECT_EQ(read.texts->banner, "??????");
    EXPECT_EQ(read.texts->banner_face, "Arial");
}

TEST(CaptionTexts, GoBesideTheCaptionRecordAndAreUsedOnlyWhenIntact) {
    CaptionRecord narrow;
    narrow.text = "L\xF3" "dz \x97 zima";
    narrow.font.face_name = "Caf\xE9 Sans";
    const CaptionTexts texts{"Łódź — zima", "Café Sans"};

    CaptionRecord read = narrow;
    ASSERT_TRUE(ApplyCaptionTexts(EncodeCaptionTexts(texts), read));
    EXPECT_EQ(read.texts, texts);
    EXPECT_EQ(read.text, narrow.text);
    EXPECT_EQ(EncodeCaptionRecord(read), EncodeCaptionRecord(narrow)) << "not part of the 136 bytes";

    // Without a face name entry, the record's face name read as Western text.
    CaptionRecord no_face = narrow;
    ASSERT_TRUE(ApplyCaptionTexts(EncodeKeyedRecord(kCaptionTextsMagic, {Text16Entry("szCaption", "Łódź")}), no_face));
    EXPECT_EQ(no_face.texts, (CaptionTexts{"Łódź", "Café Sans"}));

    // A caption longer than the limit is cut there, between characters.
    CaptionRecord cut = narrow;
    ASSERT_TRUE(ApplyCaptionTexts(EncodeCaptionTexts({std::string(70, 'z') + "ó", ""}), cut));
    EXPECT_EQ(cut.texts->text, std::string(64, 'z'));

    // Without a text, damaged, or of another kind: the caption record alone.
    std::vector<uint8_t> cut_short = EncodeCaptionTexts(texts);
    cut_short.pop_back();
    for (const std::vector<uint8_t>& bad :
         {EncodeKeyedRecord(kCaptionTextsMagic, {Text16Entry("lfFaceName", "Arial")}),
          EncodeKeyedRecord(kSaverExtrasMagic, {Text16Entry("szCaption", "x")}), cut_short}) {
        CaptionRecord untouched = narrow;
        EXPECT_FALSE(ApplyCaptionTexts(bad, untouched));
        EXPECT_EQ(untouched, narrow);
    }
}

}  // namespace
}  // namespace gd
