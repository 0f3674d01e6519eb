#pragma once
// The caption look newly added pictures get: an application-wide setting kept outside
// every project in data/param.ini of the maker's folder, section "CaptionFont".
//
// An installed program folder may be read-only for the user. Then the setting is saved
// to a per-user copy, param.ini in the maker's settings folder of that user, which is
// read before data/param.ini whenever it exists.

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
// <user_folder>/param.ini; empty without a user folder.
std::string UserCaptionDefaultsPath(const std::string& user_folder);

// The store of the maker's own profile files: the portable one on every platform, so a
// path may hold any character the file system allows and a face name is kept byte for
// byte, as the Linux maker keeps it.
ProfileStore& MakerProfileStore();

// Reads the per-user copy when there is one, else data/param.ini. Every key is read the
// platform's way: a missing file or key gives the default above, a value that is not a
// number reads as 0, byte fields keep the low 8 bits, the face name is cut to 31
// characters. Clip precision and quality are always 0.
CaptionDefaults LoadCaptionDefaults(const std::string& program_folder, ProfileStore& store = MakerProfileStore(),
                                    const std::string& user_folder = {});

// Writes the fourteen keys into data/param.ini, creating the file and the section; when
// the program folder refuses them, into the per-user copy instead (its folder created).
// A save that reaches data/param.ini removes a per-user copy, which would hide it. A
// failed write leaves the file as it was; the result says whether every key was written
// to one of the two files.
bool SaveCaptionDefaults(const std::string& program_folder, const LogFont& font, int32_t position, ColorRef color,
                         ProfileStore& store = MakerProfileStore(), const std::string& user_folder = {});

}  // namespace gd
