#pragma once
// The caption look newly added pictures get: an application-wide setting kept outside
// every project in data/param.ini of the maker's folder, section "CaptionFont".

#include <cstdint>
#include <string>

#include "common/color_ref.h"
#include "common/log_font.h"
#include "common/profile_store.h"

namespace gd {

struct CaptionDefaults {
    LogFont font{30, 20, 0, 0, 700, 0, 0, 0, 0, 2, 0, 0, 30, "MS Sans Serif"};
    ColorRef color = 255;   // pure red
    int32_t position = 7;   // bottom centre

    friend bool operator==(const CaptionDefaults&, const CaptionDefaults&) = default;
};

// <program_folder>/data/param.ini
std::string CaptionDefaultsPath(const std::string& program_folder);

// Every key read the platform's way: a missing file or key gives the default above, a
// value that is not a number reads as 0, byte fields keep the low 8 bits, the face name
// is cut to 31 characters. Clip precision and quality are always 0.
CaptionDefaults LoadCaptionDefaults(const std::string& program_folder,
                                    ProfileStore& store = PlatformProfileStore());

// Writes the fourteen keys, creating the file and the section. A failed write leaves
// the file as it was; the result says whether every key was written.
bool SaveCaptionDefaults(const std::string& program_folder, const LogFont& font, int32_t position, ColorRef color,
                         ProfileStore& store = PlatformProfileStore());

}  // namespace gd
