#pragma once
// Icon files (.ico) and the icon group resource built from one. The group repeats the
// file's 6-byte header and, per image, the first 12 bytes of its directory entry followed
// by the 2-byte id of the image's resource (type 3) instead of its file offset.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "resources/resource_editor.h"

namespace gd::res {

constexpr uint16_t kIconGroupId = 128;  // the template's icon group, replaced by ours
constexpr uint32_t kIconHeaderSize = 6;
constexpr uint32_t kIconDirEntrySize = 16;
constexpr uint32_t kIconGroupEntrySize = 14;

struct IconDirEntry {
    uint8_t width = 0;   // 0 means 256
    uint8_t height = 0;  // 0 means 256
    uint8_t color_count = 0;
    uint8_t reserved = 0;
    uint16_t planes = 0;
    uint16_t bit_count = 0;
    uint32_t bytes_in_image = 0;
    uint32_t image_offset = 0;
};

struct IconHeader {
    uint16_t reserved = 0;
    uint16_t type = 0;
    uint16_t count = 0;
};

// The group of an icon file: image i (0-based) gets the resource id i + 1.
std::vector<uint8_t> BuildIconGroup(const IconHeader& header, std::span<const IconDirEntry> entries);
IconDirEntry ReadIconDirEntry(const uint8_t* p);

// Stages an icon file's images as type 3, ids 1..count, then its group as type 14, id 128,
// all in English (US). A file that cannot be read or is shorter than its directory says
// is a failure: the images staged before the short one stay staged, the group is not.
bool StageIcon(const std::string& icon_path, ResourceEditor& editor, std::string* error = nullptr);

// StageIcon into `exe_path` and commit. When staging fails after some images, those are
// still committed (the template's group then points at them by id) and the result is
// false; false also when the commit fails.
bool ReplaceIcon(const std::string& icon_path, const std::string& exe_path, std::string* error = nullptr);

}  // namespace gd::res
