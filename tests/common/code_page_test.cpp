// The text rule: UTF-8 in memory, a best-fit Western form in the narrow fields of payload
// records, and lossless UTF-16 for texts that are not UTF-8.
#include <gtest/gtest.h>

#include "common/code_page.h"
#include "common/unicode_text.h"

namespace gd {
namespace {

TEST(CodePage, EveryByteConvertsToUnicodeAndBack) {
    for (int b = 0; b < 256; ++b) {
        char32_t c = CodePageToUnicode(uint8_t(b));
        EXPECT_EQ(UnicodeToCodePage(c), uint8_t(b)) << b;
        std::string utf8 = CodePageToUtf8(std::string(1, char(b)));
        EXPECT_EQ(Utf8ToCodePage(utf8).bytes, std::string(1, char(b))) << b;
    }
    EXPECT_EQ(CodePageToUnicode(0x80), U'\u20AC');  // the euro sign
    EXPECT_EQ(CodePageToUnicode(0x9F), U'\u0178');
    EXPECT_EQ(CodePageToUnicode(0xDF), U'\u00DF');
}

TEST(CodePage, WesternTextBecomesOneBytePerCharacter) {
    CodePageResult r = Utf8ToCodePage("Grüße – 5 €");
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.bytes, "Gr\xFC\xDF" "e \x96 5 \x80");
    EXPECT_EQ(CodePageToUtf8(r.bytes), "Grüße – 5 €");
}

TEST(CodePage, RefusesTheFirstCharacterItCannotHold) {
    CodePageResult r = Utf8ToCodePage("Tokyo 東京");
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.refused, U'東');
    EXPECT_TRUE(r.bytes.empty());
    EXPECT_EQ(Utf8ToCodePage("\xF0\x9F\x8E\x88").refused, U'\U0001F388');  // outside the BMP
    // Bytes that are not UTF-8 are refused too, by their number.
    CodePageResult raw = Utf8ToCodePage("K\xF6ln");
    ASSERT_FALSE(raw.ok());
    EXPECT_EQ(EscapedByte(*raw.refused), 0xF6u);
    EXPECT_EQ(DescribeCharacter(*raw.refused), "the byte 0xF6 (not UTF-8)");
    EXPECT_EQ(DescribeCharacter(U'\n'), "U+000A");
}

TEST(CodePage, BestFitKeepsWesternTextAndGivesOtherLatinLettersWithoutTheirMarks) {
    // What the code page holds is its bytes, exactly as before.
    EXPECT_EQ(BestFitCodePage("Grüße – 5 € œ Ž"), "Gr\xFC\xDF" "e \x96 5 \x80 \x9C \x8E");
    // Polish, Czech, Turkish, Latvian letters lose their marks; "—" is in the code page.
    EXPECT_EQ(BestFitCodePage("Łódź — zima"), "L\xF3" "dz \x97 zima");  // ó is in the code page
    EXPECT_EQ(BestFitCodePage("Žluťoučký kůň"), "\x8Elutouck\xFD kun");
    EXPECT_EQ(BestFitCodePage("İstanbul ğ ş ı"), "Istanbul g s i");
    EXPECT_EQ(BestFitCodePage("Ą ą Ę ę Ś ś Ż ż Ń ń Ć ć ſ"), "A a E e S s Z z N n C c s");
    // Combining marks and zero-width characters go; other blanks and dashes become ASCII.
    EXPECT_EQ(BestFitCodePage("e\u0301\u200Bx"), "ex");
    EXPECT_EQ(BestFitCodePage("a\u2009b\u2011c\u3000d"), "a b-c d");
    // Scripts without Latin letters, and bytes that are not UTF-8, become "?".
    EXPECT_EQ(BestFitCodePage("Ελλάδα 2026"), "?????? 2026");
    EXPECT_EQ(BestFitCodePage("Москва"), "??????");
    EXPECT_EQ(BestFitCodePage("a東b\xF6"), "a?b?");
    EXPECT_EQ(BestFitCodePage("\xF0\x9F\x8E\x88"), "?");
}

TEST(UnicodeText, MalformedUtf8IsEscapedBytewiseAndSurvivesUtf16) {
    const std::string samples[] = {
        "plain", "Zoë/Köln 2024", "写真.jpg", "\xF0\x9F\x8E\x88",
        "K\xF6ln",          // Latin-1 file name
        "\xC0\xAF",         // overlong "/"
        "\xED\xA0\x80",     // an encoded surrogate
        "\xE6\x9D",         // cut short
        "\x80\xBF\xFF\xFE",  // stray bytes
    };
    for (const std::string& s : samples) {
        EXPECT_EQ(FromUtf16(ToUtf16(s)), s) << s;
    }
    EXPECT_EQ(ToUtf16("K\xF6ln"), u"K\xDCF6ln");
    EXPECT_EQ(ToUtf16("\xF0\x9F\x8E\x88"), u"\xD83C\xDF88");
    EXPECT_TRUE(IsWellFormedUtf8("写真"));
    EXPECT_FALSE(IsWellFormedUtf8("\xC0\xAF"));
    // A lone surrogate that is no escaped byte comes out as U+FFFD.
    EXPECT_EQ(FromUtf16(u"a\xD800"), "a\xEF\xBF\xBD");
}

}  // namespace
}  // namespace gd
