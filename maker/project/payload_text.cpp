#include "maker/project/payload_text.h"

#include "common/character_count.h"
#include "common/code_page.h"
#include "common/saver_extras.h"
#include "common/text_trim.h"
#include "common/unicode_text.h"

namespace gd {

std::string RecordText(std::string_view text) { return BestFitCodePage(text); }

LogFont RecordFont(const LogFont& font) {
    LogFont out = font;
    out.face_name = RecordText(font.face_name);
    return out;
}

LogFont FontFromRecord(LogFont font) {
    font.face_name = NarrowFileTextToUtf8(font.face_name);
    return font;
}

SaverTexts UnicodeTexts(const CParamData& p) {
    SaverTexts texts{p.szName,      p.szAuthor,      p.szEmail,  p.szHomePage,
                     p.szCopyright, p.szDescription, p.szBanner, p.lfBanner.face_name};
    for (const SaverTextKey& k : kSaverTextKeys)
        texts.*k.member = std::string(CutToCharacters(texts.*k.member, k.limit));
    // Trimmed before and after the cut, as the narrow field, so no blank ends it.
    texts.banner = std::string(TrimWhiteSpace(CutToCharacters(TrimWhiteSpace(p.szBanner), kBannerLimit)));
    return texts;
}

std::optional<std::string> CheckRecordText(std::string_view text, size_t limit) {
    for (size_t pos = 0; pos < text.size();) {
        const Utf8Char ch = DecodeUtf8(text, pos);
        if (!ch.well_formed) return DescribeCharacter(ch.code_point) + " cannot go into the screensaver's texts";
        pos += ch.length;
    }
    const size_t count = CountCharacters(text);
    if (limit != 0 && count > limit)
        return "it takes at most " + std::to_string(limit) + " characters (this text has " + std::to_string(count) + ")";
    return std::nullopt;
}

std::optional<PayloadTextProblem> CheckPayloadTexts(const CParamData& p) {
    struct Text {
        const char* field;
        const char* label;
        int page;
        std::string text;
    };
    // The records cut what is longer than their fields; only the characters must fit.
    const Text texts[] = {
        {"szName", "The screensaver name", 1, p.szName},
        {"szAuthor", "The author", 1, p.szAuthor},
        {"szEmail", "The e-mail address", 1, p.szEmail},
        {"szHomePage", "The home page", 1, p.szHomePage},
        {"szCopyright", "The copyright", 1, p.szCopyright},
        {"szDescription", "The description", 1, p.szDescription},
        {"szBanner", "The banner", 4, std::string(TrimWhiteSpace(p.szBanner))},
        {"lfBanner.lfFaceName", "The banner font", 4, p.lfBanner.face_name},
    };
    for (const Text& t : texts)
        if (auto reason = CheckRecordText(t.text, 0)) return PayloadTextProblem{t.field, t.label, t.page, *reason};
    for (size_t i = 0; i < p.pictureList.size(); ++i) {
        const CPictureData& picture = p.pictureList[i];
        const std::string key = "pictureList[" + std::to_string(i) + "].";
        const std::string number = std::to_string(i + 1);
        if (auto reason = CheckRecordText(picture.szCaption, 0))
            return PayloadTextProblem{key + "szCaption", "The caption of picture " + number, 2, *reason};
        if (auto reason = CheckRecordText(picture.lfCaptionFont.face_name, 0))
            return PayloadTextProblem{key + "lfCaptionFont.lfFaceName", "The caption font of picture " + number, 2,
                                      *reason};
    }
    return std::nullopt;
}

}  // namespace gd
