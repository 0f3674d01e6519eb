#pragma once
// The resource entries through which a made screensaver carries its show. Types and ids
// are integer identifiers; every entry is written with one language.

#include <cstdint>

namespace gd {

constexpr uint16_t RT_SAVER_PICTURE = 5000;  // id 0..N-1: one JPEG or GIF file
constexpr uint16_t RT_SAVER_MUSIC = 5100;    // id 0..M-1: a MusicEntry
constexpr uint16_t RT_SAVER_CAPTION = 5200;  // id of its picture: a CaptionRecord
constexpr uint16_t RT_SAVER_CONFIG = 5300;   // id kSaverConfigId: the SaverConfig
// id kSaverExtrasId: the show extras record (saver_extras.h). Screensavers made before it
// have none, and play as they always did.
constexpr uint16_t RT_SAVER_EXTRAS = 5400;
// id of its picture: the caption's texts in Unicode (caption_texts.h), beside the caption
// record of the same id. Screensavers made before it draw the caption record's text.
constexpr uint16_t RT_SAVER_CAPTION_TEXTS = 5500;

constexpr uint16_t kSaverConfigId = 0;
constexpr uint16_t kSaverExtrasId = 0;
constexpr uint16_t kSaverIconGroupId = 128;      // the icon group the maker replaces
constexpr uint16_t kSaverResourceLanguage = 0x0409;  // English (United States)

}  // namespace gd
