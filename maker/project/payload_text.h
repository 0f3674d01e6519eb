#pragma once
// The project's UTF-8 texts as the payload records and the project file's font fields
// hold them: code-page bytes (the rule is in common/code_page.h). The checks run before a
// build or where a text is typed, so the conversions below never meet a character they
// cannot hold; if one does, it becomes "?" as with the platform's own conversion.

#include <optional>
#include <string>
#include <string_view>

#include "common/log_font.h"
#include "maker/project/param_data.h"

namespace gd {

// The code-page bytes of a text for a record.
std::string RecordText(std::string_view text);
// A font whose face name is in code-page bytes, for a record or the project file.
LogFont RecordFont(const LogFont& font);
// A font read from a record or a project file, its face name back in UTF-8.
LogFont FontFromRecord(LogFont font);

// A text that cannot go into a record: which field, and why.
struct PayloadTextProblem {
    std::string field;  // the key: "szBanner", "pictureList[2].szCaption", "lfBanner.lfFaceName", ...
    std::string label;  // for people: "The banner", "The caption of picture 3", ...
    int page = 1;       // the page of the main window that edits it (1 General, 2 Pictures, 4 Settings)
    std::string reason;
};

// Checks one text for a record: every character in the code page and, when `limit` is
// not 0, at most `limit` code-page bytes. The reason names the refused character or the
// limit in bytes.
std::optional<std::string> CheckRecordText(std::string_view text, size_t limit);

// Checks that every text of the project that a made screensaver carries fits the code
// page: name, author, e-mail, home page, copyright, description, banner, the banner
// font's face name, and each picture's caption and caption font's face name (their
// lengths are the records' business: they cut). The first problem, if any.
std::optional<PayloadTextProblem> CheckPayloadTexts(const CParamData& project);

}  // namespace gd
