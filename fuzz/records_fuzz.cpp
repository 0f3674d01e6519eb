// The payload records of a made screensaver and the font description they embed: any
// bytes one of them accepts must, once written back, read as the same record again.
#include <cstddef>
#include <cstdint>
#include <span>

#include "common/caption_record.h"
#include "common/log_font.h"
#include "common/music_entry.h"
#include "common/saver_config.h"
#include "fuzz/fuzz_support.h"

namespace {

template <class Decode, class Encode>
void CheckRoundTrip(std::span<const uint8_t> bytes, Decode decode, Encode encode, const char* what) {
    auto record = decode(bytes);
    if (!record) return;
    auto written = encode(*record);
    auto again = decode(written);
    gd::fuzz::Require(again.has_value(), what);
    // The first reading may drop what a record cannot hold (bytes after a text's NUL);
    // from then on, writing and reading change nothing.
    gd::fuzz::Require(encode(*again) == written, what);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::span<const uint8_t> bytes(data, size);
    CheckRoundTrip(bytes, gd::DecodeSaverConfig, gd::EncodeSaverConfig, "SaverConfig round trip");
    CheckRoundTrip(bytes, gd::DecodeCaptionRecord, gd::EncodeCaptionRecord, "CaptionRecord round trip");
    CheckRoundTrip(bytes, gd::DecodeMusicEntry, gd::EncodeMusicEntry, "MusicEntry round trip");
    CheckRoundTrip(bytes, gd::DecodeLogFont, gd::EncodeLogFont, "LogFont round trip");
    return 0;
}
