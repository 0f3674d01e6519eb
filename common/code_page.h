#pragma once
// The text rule of both makers, in one place.
//
// In memory. Every text of the maker core (project fields, captions, font face names,
// paths, messages, log lines) is UTF-8, on Linux and on Windows alike. A Linux file path
// is the file system's bytes, kept as they are even when they are not UTF-8 (see
// unicode_text.h for how such bytes survive a wide conversion). The Windows maker converts
// at its edges: UTF-8 to UTF-16 for the wide-character file and window functions, and back
// for what they return. The Linux command line takes and prints UTF-8 unchanged.
//
// Payload records (the configuration, caption and font records of a made screensaver).
// Their narrow fields hold code-page bytes: Western (1252), from the table below rather
// than the system's tables, so the Linux and the Windows maker write the same bytes. A
// screensaver made before its texts went into its records in Unicode draws these bytes
// with the platform's ANSI functions. Every text now also has a wide entry (UTF-16, in
// the show extras record and each caption's text record) that the runtime draws and
// shows with the wide functions; the narrow field keeps a best-fit Western form of it
// for older readers (BestFitCodePage). The limits of the texts count characters as the
// user sees them (character_count.h), not bytes.
//
// Project files (.psm). Each length-prefixed text is written in its narrow form, the
// code-page bytes, whenever the code page can hold the text, so such files are byte for
// byte what they always were. Only a text the code page cannot hold (a Japanese file name,
// a Linux file name that is not UTF-8), or whose code-page bytes would read back as UTF-8
// (below), takes the wide form, UTF-16 (archive_string.h). A font's face name has a
// fixed field and no wide form: such a name is stored as its UTF-8 bytes.
// Reading accepts both forms and files written before this rule; a narrow text that is
// well-formed UTF-8 with a byte above 0x7F is read as UTF-8, since the Linux maker once
// stored its texts that way and a Western text in the code page almost never is.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace gd {

// The code point of one code-page byte. The five bytes 1252 leaves unassigned (0x81,
// 0x8D, 0x8F, 0x90, 0x9D) stand for the control characters of the same number, as the
// platform's own conversion has it, so every byte converts and converts back.
char32_t CodePageToUnicode(uint8_t byte);
// The byte of a code point, or nothing when the code page has no such character.
std::optional<uint8_t> UnicodeToCodePage(char32_t c);

// A UTF-8 text (or bytes kept as they are) in code-page bytes; on failure `refused` is
// the first character the code page cannot hold, or the escape of a byte that is not
// UTF-8 (EscapedByte() of it is non-zero).
struct CodePageResult {
    std::string bytes;
    std::optional<char32_t> refused;
    bool ok() const { return !refused; }
};
CodePageResult Utf8ToCodePage(std::string_view text);

// Code-page bytes as UTF-8.
std::string CodePageToUtf8(std::string_view bytes);

// A narrow text of a project file as UTF-8: well-formed UTF-8 with a byte above 0x7F is
// taken as it is (stored by the Linux maker before this rule), anything else is code-page
// bytes.
std::string NarrowFileTextToUtf8(std::string_view bytes);

// The best-fit Western form of a UTF-8 text, for the narrow fields of the records that
// older readers use (the whole text goes into a record's wide entry): every character
// the code page holds as its byte; a Latin letter it lacks as the letter without its
// marks ("Łódź" gives "Lodz"); combining marks and zero-width characters dropped; other
// blanks as a space and other dashes as "-"; anything else, and a byte that is not
// UTF-8, as "?" (what the platform's conversion puts there too).
std::string BestFitCodePage(std::string_view text);

}  // namespace gd
