#pragma once
// Photo-like pictures for the benchmarks, drawn by us: soft gradients, a disc and grain
// (more grain, larger JPEG), and a short tone as a WAV file.

#include <cstddef>
#include <cstdint>
#include <string>

#include "imaging/cx_image.h"

namespace gd::bench {

CxImage Photo(int width, int height, int variant, int grain);
// Writes the photo as a JPEG file of quality 95; returns the size it will take in a made
// screensaver's payload (the maker's re-encoding at quality 75), or 0 on failure.
size_t WritePhoto(const std::string& path, CxImage& image);
// A 16-bit mono WAV file of a 440 Hz tone.
bool WriteTone(const std::string& path, double seconds);

}  // namespace gd::bench
