#pragma once
// The line a build ends with when pictures or music files could not go into the
// screensaver, so a made screensaver never lacks a picture without the user being told:
// "2 of 40 pictures could not be used: a.jpg, b.png". The reasons are in the log lines
// above it; this line names the files only.

#include <string>
#include <vector>

namespace gd {

// `skipped` are the files' paths as stored; the line names the files (no folder), the
// first few of a long list and how many more. Empty when nothing was skipped.
std::string SkippedPicturesLine(const std::vector<std::string>& skipped, size_t total);
std::string SkippedMusicLine(const std::vector<std::string>& skipped, size_t total);

}  // namespace gd
