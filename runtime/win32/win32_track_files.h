#pragma once
// Temporary track files on Windows; paths are UTF-8.

#include "runtime/track_files.h"

namespace gd {

class Win32TrackFiles : public TrackFiles {
public:
    bool Exists(const std::string& path) override;
    void Remove(const std::string& path) override;
    std::unique_ptr<TrackFileWriter> Create(const std::string& path) override;
};

// The platform's temporary folder (UTF-8), ending in a backslash.
std::string TemporaryFolder();

}  // namespace gd
