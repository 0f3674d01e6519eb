#pragma once
// The show extras record of a made screensaver (resource RT_SAVER_EXTRAS, id 0): the
// home of the options the 744-byte configuration record has no room for. It is a keyed
// record (keyed_record.h) with the magic "GDSX"; each entry is one option of the options
// table whose homes include kInShowExtras, keyed by the option's key (the name
// `glimmerdeck show` prints, which is its settings-file key too) and typed by its kind
// (numbers are int32 entries). bMovePicture is its first entry: it is also in the
// 744-byte record, where older readers find it, and the two always agree.
//
// The runtime reads the configuration record, then lays this record over it, then the
// run-time settings file over both. A screensaver without the record (made before it),
// or with a damaged one, plays with the configuration record's values alone: a damaged
// record is ignored whole and never ends the show. Within an intact record an entry the
// runtime does not know, or a known one of another type or out of its option's range,
// is skipped.

#include <cstdint>
#include <span>
#include <vector>

#include "common/keyed_record.h"
#include "common/saver_config.h"

namespace gd {

inline constexpr RecordMagic kSaverExtrasMagic = {'G', 'D', 'S', 'X'};

// The record for `config`: every option whose home includes the extras, in table order.
std::vector<uint8_t> EncodeSaverExtras(const SaverConfig& config);

// Lays the record's options over `config`; false, with `config` unchanged, when the
// bytes are not an intact record.
bool ApplySaverExtras(std::span<const uint8_t> bytes, SaverConfig& config);

}  // namespace gd
