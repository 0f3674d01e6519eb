#pragma once
// The show extras record of a made screensaver (resource RT_SAVER_EXTRAS, id 0): the
// home of the options the 744-byte configuration record has no room for. It is a keyed
// record (keyed_record.h) with the magic "GDSX"; each entry is one option of the options
// table whose homes include kInShowExtras, keyed by the option's key (the name
// `glimmerdeck show` prints, which is its settings-file key too) and typed by its kind
// (numbers are int32 entries). bMovePicture is its first entry: it is also in the
// 744-byte record, where older readers find it, and the two always agree.
//
// The configuration's texts in Unicode (SaverConfig::texts) are its other entries: UTF-16
// text entries keyed as `glimmerdeck show` names the project fields they come from
// (kSaverTextKeys). A record with none of them (made before them) leaves the texts to the
// 744-byte record's narrow fields, drawn as ANSI text as they always were; a text entry
// missing beside others stands for its narrow field read as Western text.
//
// The runtime reads the configuration record, then lays this record over it, then the
// run-time settings file over both. A screensaver without the record (made before it),
// or with a damaged one, plays with the configuration record's values alone: a damaged
// record is ignored whole and never ends the show. Within an intact record an entry the
// runtime does not know, or a known one of another type or out of its option's range,
// is skipped.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "common/keyed_record.h"
#include "common/saver_config.h"

namespace gd {

inline constexpr RecordMagic kSaverExtrasMagic = {'G', 'D', 'S', 'X'};

// A text entry: its key, the text it holds and its limit in characters (character_count.h);
// a longer text is cut there when read, as a narrow field cuts at its size.
struct SaverTextKey {
    std::string_view key;
    std::string SaverTexts::*member;
    size_t limit;
};
inline constexpr SaverTextKey kSaverTextKeys[] = {
    {"szName", &SaverTexts::name, kNameLimit},
    {"szAuthor", &SaverTexts::author, kAuthorLimit},
    {"szEmail", &SaverTexts::email, kEmailLimit},
    {"szHomePage", &SaverTexts::home_page, kHomePageLimit},
    {"szCopyright", &SaverTexts::copyright, kCopyrightLimit},
    {"szDescription", &SaverTexts::description, kDescriptionLimit},
    {"szBanner", &SaverTexts::banner, kBannerLimit},
    {"lfBanner.lfFaceName", &SaverTexts::banner_face, kFaceNameLimit},
};

// The narrow fields of `config` as UTF-8, read as Western (1252) text.
SaverTexts WesternTexts(const SaverConfig& config);
// The texts to show in UTF-8: the Unicode texts when `config` has them, else WesternTexts.
SaverTexts ShownTexts(const SaverConfig& config);

// The record for `config`: every option whose home includes the extras, in table order,
// then the texts when `config` has them.
std::vector<uint8_t> EncodeSaverExtras(const SaverConfig& config);

// Lays the record's options over `config`; false, with `config` unchanged, when the
// bytes are not an intact record.
bool ApplySaverExtras(std::span<const uint8_t> bytes, SaverConfig& config);

}  // namespace gd
