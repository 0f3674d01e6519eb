#pragma once
// Tricky profile-file inputs with the results the platform gives for them (established
// under Wine, where the comparison test runs them through both stores).

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace gd::profile_cases {

constexpr int32_t kFallbackInt = -77;

struct ReadCase {
    std::string_view name;
    std::string_view file;  // file bytes
    std::string_view section;
    std::string_view key;
    std::string_view fallback;
    size_t capacity;
    std::string_view text;  // ReadString result
    int32_t number;         // ReadInt result with kFallbackInt
};

constexpr ReadCase kReadCases[] = {
    {"plain", "[param]\r\nn=42\r\n", "param", "n", "d", 64, "42", 42},
    {"leading blanks", "[param]\r\n   n   =   42  \r\n", "param", "n", "d", 64, "42", 42},
    {"tab around", "[param]\r\n\tn\t=\t7\t\r\n", "param", "n", "d", 64, "7", 7},
    {"plus sign", "[param]\r\nn=+15\r\n", "param", "n", "d", 64, "+15", 15},
    {"minus sign", "[param]\r\nn=-15\r\n", "param", "n", "d", 64, "-15", -15},
    {"sign then blank", "[param]\r\nn=- 15\r\n", "param", "n", "d", 64, "- 15", 0},
    {"hex-like", "[param]\r\nn=0x1F\r\n", "param", "n", "d", 64, "0x1F", 31},
    {"leading zero", "[param]\r\nn=010\r\n", "param", "n", "d", 64, "010", 10},
    {"upper hex prefix", "[param]\r\nn=0X1F\r\n", "param", "n", "d", 64, "0X1F", 0},
    {"binary prefix", "[param]\r\nn=0b101\r\n", "param", "n", "d", 64, "0b101", 5},
    {"octal prefix", "[param]\r\nn=0o17\r\n", "param", "n", "d", 64, "0o17", 15},
    {"signed hex", "[param]\r\nn=-0x10\r\n", "param", "n", "d", 64, "-0x10", -16},
    {"bare hex prefix", "[param]\r\nn=0x\r\n", "param", "n", "d", 64, "0x", 0},
    {"hex prefix then junk", "[param]\r\nn=0xg\r\n", "param", "n", "d", 64, "0xg", 0},
    {"full hex", "[param]\r\nn=0xFFFFFFFF\r\n", "param", "n", "d", 64, "0xFFFFFFFF", -1},
    {"hex mixed digits", "[param]\r\nn=0x1fz9\r\n", "param", "n", "d", 64, "0x1fz9", 31},
    {"digits then text", "[param]\r\nn=12abc\r\n", "param", "n", "d", 64, "12abc", 12},
    {"text", "[param]\r\nn=abc\r\n", "param", "n", "d", 64, "abc", 0},
    {"empty value", "[param]\r\nn=\r\n", "param", "n", "d", 64, "", kFallbackInt},
    {"blank value", "[param]\r\nn=   \r\n", "param", "n", "d", 64, "", kFallbackInt},
    {"bare key", "[param]\r\nn\r\n", "param", "n", "dflt", 64, "dflt", kFallbackInt},
    {"missing key", "[param]\r\nm=1\r\n", "param", "n", "dflt", 64, "dflt", kFallbackInt},
    {"missing section", "[other]\r\nn=1\r\n", "param", "n", "dflt", 64, "dflt", kFallbackInt},
    {"fallback trailing spaces", "", "param", "n", "dflt   ", 64, "dflt", kFallbackInt},
    {"fallback leading spaces", "", "param", "n", "  dflt", 64, "  dflt", kFallbackInt},
    {"fallback cut", "", "param", "n", "abcdef", 4, "abc", kFallbackInt},
    {"double quotes", "[param]\r\ns=\"a b\"\r\n", "param", "s", "d", 64, "a b", 0},
    {"single quotes", "[param]\r\ns='a b'\r\n", "param", "s", "d", 64, "a b", 0},
    {"quoted number", "[param]\r\nn=\"12\"\r\n", "param", "n", "d", 64, "12", 12},
    {"quoted blanks kept", "[param]\r\ns=\"  x  \"\r\n", "param", "s", "d", 64, "  x  ", 0},
    {"mismatched quotes", "[param]\r\ns=\"ab'\r\n", "param", "s", "d", 64, "\"ab'", 0},
    {"opening quote only", "[param]\r\ns=\"ab\r\n", "param", "s", "d", 64, "\"ab", 0},
    {"lone quote", "[param]\r\ns=\"\r\n", "param", "s", "d", 64, "\"", 0},
    {"empty quotes", "[param]\r\ns=\"\"\r\n", "param", "s", "d", 64, "", kFallbackInt},
    {"inner quotes", "[param]\r\ns=a \"b\" c\r\n", "param", "s", "d", 64, "a \"b\" c", 0},
    {"trailing comment", "[param]\r\nn=5 ; five\r\n", "param", "n", "d", 64, "5 ; five", 5},
    {"comment line", "[param]\r\n;n=5\r\nn=6\r\n", "param", "n", "d", 64, "6", 6},
    {"commented key only", "[param]\r\n;n=5\r\n", "param", "n", "d", 64, "d", kFallbackInt},
    {"hash line", "[param]\r\n#n=5\r\n", "param", "n", "d", 64, "d", kFallbackInt},
    {"duplicate key", "[param]\r\nn=1\r\nn=2\r\n", "param", "n", "d", 64, "1", 1},
    {"duplicate section", "[param]\r\na=1\r\n[param]\r\nn=2\r\n", "param", "n", "d", 64, "d", kFallbackInt},
    {"duplicate section first", "[param]\r\nn=1\r\n[param]\r\nn=2\r\n", "param", "n", "d", 64, "1", 1},
    {"section case", "[PaRaM]\r\nn=3\r\n", "param", "n", "d", 64, "3", 3},
    {"key case", "[param]\r\nNPICTUREPAUSE=3\r\n", "param", "nPicturePause", "d", 64, "3", 3},
    {"asked names with blanks", "[param]\r\nn=3\r\n", "  param ", " n ", "d", 64, "3", 3},
    {"blank in section name", "[ param ]\r\nn=3\r\n", "param", "n", "d", 64, "3", 3},
    {"indented section", "   [param]   \r\nn=3\r\n", "param", "n", "d", 64, "3", 3},
    {"text after section", "[param] tail\r\nn=3\r\n", "param", "n", "d", 64, "3", 3},
    {"bracket inside name", "[pa]ram]\r\nn=3\r\n", "pa]ram", "n", "d", 64, "3", 3},
    {"unclosed section", "[param\r\nn=3\r\n", "param", "n", "d", 64, "d", kFallbackInt},
    {"key before sections", "n=1\r\n[param]\r\nm=2\r\n", "param", "n", "d", 64, "d", kFallbackInt},
    {"equals in value", "[param]\r\ns=a=b\r\n", "param", "s", "d", 64, "a=b", 0},
    {"blank key name", "[param]\r\n=5\r\n", "param", "", "d", 64, "5", 5},
    {"no final newline", "[param]\r\nn=9", "param", "n", "d", 64, "9", 9},
    {"unix line ends", "[param]\nn=8\nm=2\n", "param", "m", "d", 64, "2", 2},
    {"blank lines", "\r\n\r\n[param]\r\n\r\nn=4\r\n\r\n", "param", "n", "d", 64, "4", 4},
    {"capacity cut", "[param]\r\ns=abcdefgh\r\n", "param", "s", "d", 5, "abcd", 0},
    {"capacity one", "[param]\r\ns=abcdefgh\r\n", "param", "s", "d", 1, "", 0},
    {"quoted cut short", "[param]\r\ns=\"abcdefgh\"\r\n", "param", "s", "d", 5, "abcd", 0},
    {"quoted cut at quote", "[param]\r\ns=\"abcdef\"\r\n", "param", "s", "d", 7, "abcde", 0},
    {"quoted fits", "[param]\r\ns=\"abcdef\"\r\n", "param", "s", "d", 8, "abcdef", 0},
    {"long number", "[param]\r\nn=4294967297\r\n", "param", "n", "d", 64, "4294967297", 1},
    {"number past 29 chars", "[param]\r\nn=000000000000000000000000000001234\r\n", "param", "n", "d", 64,
     "000000000000000000000000000001234", 0},
    {"effect string", "[param]\r\nszEffect=0000\r\n", "param", "szEffect", "1111111111", 64, "0000", 0},
};

}  // namespace gd::profile_cases
