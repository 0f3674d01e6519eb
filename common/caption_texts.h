#pragma once
// The caption's text record of a made screensaver (resource RT_SAVER_CAPTION_TEXTS, the
// id of its picture): the caption's text and font face name in Unicode, beside the
// 136-byte caption record of the same id, which keeps their best-fit Western form.
//
// It is a keyed record (keyed_record.h) with the magic "GDCT" and two UTF-16 text
// entries: "szCaption" (the trimmed text) and "lfFaceName". It lives beside each caption
// rather than in the show extras so that, like the caption itself, it is read only when
// its picture is shown: a show of thousands of pictures parses nothing more at start,
// and a damaged one costs only its own caption's Unicode text (the caption record's text
// is drawn instead). Being keyed, later settings of one caption can join it.
//
// A caption without the record, or with a damaged one or one without "szCaption", is
// drawn from the caption record alone as ANSI text. A missing "lfFaceName" stands for
// the caption record's face name read as Western text.

#include <cstdint>
#include <span>
#include <vector>

#include "common/caption_record.h"
#include "common/keyed_record.h"

namespace gd {

inline constexpr RecordMagic kCaptionTextsMagic = {'G', 'D', 'C', 'T'};

std::vector<uint8_t> EncodeCaptionTexts(const CaptionTexts& texts);

// Sets caption.texts from the record (the text cut to kCaptionTextLimit characters);
// false, with `caption` unchanged, when the bytes are not an intact record with a text.
bool ApplyCaptionTexts(std::span<const uint8_t> bytes, CaptionRecord& caption);

}  // namespace gd
