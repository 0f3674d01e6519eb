#pragma once
// Photo-like pictures for the benchmarks, drawn by us: soft gradients, a disc and grain
// (more grain, larger JPEG), and a short tone as a WAV file.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "imaging/cx_image.h"

namespace gd::bench {

CxImage Photo(int width, int height, int variant, int grain);
// Writes the photo as a JPEG file of quality 95; returns the size it will take in a made
// screensaver's payload (the maker's re-encoding at quality 75), or 0 on failure.
size_t WritePhoto(const std::string& path, CxImage& image);
// A format the benchmarks' photo sets come in, written from JPEG photos by a command-line tool.
struct PhotoFormat {
    const char* name;
    const char* extension;
    const char* tool;     // the program the writer needs; null: none
    const char* writer;   // a shell command with IN (a JPEG) and OUT; null: the JPEGs themselves
};
inline constexpr PhotoFormat kJpegPhotos = {"JPEG", ".jpg", nullptr, nullptr};
inline constexpr PhotoFormat kHeicPhotos = {"HEIC", ".heic", "heif-enc", "heif-enc -q 90 -o OUT IN >/dev/null"};

bool Installed(const PhotoFormat& format);
// The JPEG files `jpegs` in `format`, into `folder`: the first `distinct` written by its tool,
// the rest copies of them (as the JPEG sets are). False when the tool failed.
bool WritePhotoSet(const PhotoFormat& format, const std::vector<std::string>& jpegs, size_t distinct,
                   const std::filesystem::path& folder, std::vector<std::string>& out);

// A 16-bit mono WAV file of a 440 Hz tone.
bool WriteTone(const std::string& path, double seconds);

}  // namespace gd::bench
