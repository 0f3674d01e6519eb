#pragma once
// The project's UTF-8 texts as a made screensaver carries them (the rule is in
// common/code_page.h): whole, in the wide entries of the show extras and the caption's
// text record, and in a best-fit Western form in the narrow fields of the 744-byte and
// caption records and of the project file's font fields.

#include <optional>
#include <string>
#include <string_view>

#include "common/log_font.h"
#include "common/saver_config.h"
#include "maker/project/param_data.h"

namespace gd {

// The best-fit Western (code-page) bytes of a text for a narrow field.
std::string RecordText(std::string_view text);
// A font whose face name is in best-fit code-page bytes, for a narrow record.
LogFont RecordFont(const LogFont& font);
// A font read from a record or a project file, its face name back in UTF-8.
LogFont FontFromRecord(LogFont font);

// The configuration's texts in Unicode for the show extras record: each trimmed as its
// narrow field is (name, banner) and cut to its limit in characters.
SaverTexts UnicodeTexts(const CParamData& project);

// A text that cannot go into a record: which field, and why.
struct PayloadTextProblem {
    std::string field;  // the key: "szBanner", "pictureList[2].szCaption", "lfBanner.lfFaceName", ...
    std::string label;  // for people: "The banner", "The caption of picture 3", ...
    int page = 1;       // the page of the main window that edits it (1 General, 2 Pictures, 4 Settings)
    std::string reason;
};

// Checks one text for a record: any character may go in, but not a byte that is not
// UTF-8 (a Linux argument in another encoding), and when `limit` is not 0, at most
// `limit` characters as the user sees them (character_count.h). The reason names the
// byte or the limit.
std::optional<std::string> CheckRecordText(std::string_view text, size_t limit);

// Checks that every text of the project that a made screensaver carries can go into it:
// name, author, e-mail, home page, copyright, description, banner, the banner font's face
// name, and each picture's caption and caption font's face name (their lengths are the
// records' business: they cut). The first problem, if any.
std::optional<PayloadTextProblem> CheckPayloadTexts(const CParamData& project);

}  // namespace gd
