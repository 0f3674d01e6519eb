#pragma once
// What `glimmerdeck info` reports about an executable: its resource table and, decoded,
// the show a made screensaver carries (configuration, show extras, its texts in Unicode,
// pictures, captions with their Unicode texts, music, icon).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/caption_record.h"
#include "common/keyed_record.h"
#include "common/saver_config.h"
#include "resources/resource_table.h"

namespace gd::cli {

struct PictureInfo {
    uint16_t id = 0;
    uint32_t size = 0;
    std::string format;  // from the content: "JPEG", "GIF" or "unknown"
    int width = 0;       // 0 when the picture does not decode
    int height = 0;
};

struct CaptionInfo {
    uint16_t id = 0;
    uint32_t size = 0;
    std::optional<CaptionRecord> record;  // none when the size is not 136; texts in UTF-8
    bool has_texts = false;               // the caption's text record is there
    uint32_t texts_size = 0;              // record->texts: its Unicode texts, none when damaged
};

struct MusicInfo {
    uint16_t id = 0;
    std::string extension;  // the stored tag
    uint32_t data_size = 0; // the music file's bytes, without the tag
    bool valid = false;     // false when the entry is shorter than its tag
};

struct IconImageInfo {
    uint16_t id = 0;  // of the type 3 image
    int width = 0;
    int height = 0;
    int bit_count = 0;
    uint32_t bytes = 0;
    bool present = false;  // the image the group names exists
};

struct ExeInfo {
    std::string path;
    bool pe32_plus = false;
    std::vector<res::ResourceEntry> entries;
    bool has_config = false;
    uint32_t config_size = 0;
    std::optional<SaverConfig> config;  // none when missing or not 744 bytes
    bool has_extras = false;            // the show extras record is there
    uint32_t extras_size = 0;
    std::optional<KeyedRecord> extras;  // none when missing or damaged
    std::optional<SaverTexts> texts;    // the Unicode texts the extras carry, laid over the record
    std::vector<PictureInfo> pictures;
    std::vector<CaptionInfo> captions;
    std::vector<MusicInfo> music;
    bool has_icon_group = false;
    std::vector<IconImageInfo> icon_images;
};

// Reads `path`; the error says why it is not an executable we can read.
res::Result<ExeInfo> ReadExeInfo(const std::string& path);

std::string FormatExeInfoText(const ExeInfo& info);
std::string FormatExeInfoJson(const ExeInfo& info);

}  // namespace gd::cli
