#pragma once
// Temporary track files on Linux.

#include <string>

#include "runtime/track_files.h"

namespace gd {

class PosixTrackFiles : public TrackFiles {
public:
    bool Exists(const std::string& path) override;
    void Remove(const std::string& path) override;
    // Created for the owner alone (0600): the folder is shared with other users.
    std::unique_ptr<TrackFileWriter> Create(const std::string& path) override;
};

// $TMPDIR when it names a folder, else /tmp; ending in a slash.
std::string TemporaryFolder();

}  // namespace gd
