#pragma once
// The temporary track files of the platform the runtime runs on (paths UTF-8):
// runtime/win32/win32_track_files.cpp on Windows, runtime/linux/posix_track_files.cpp on
// Linux, where they are created for their owner alone and never through a link, as the
// temporary folder is shared with other users.

#include <string>

#include "runtime/track_files.h"

namespace gd {

class PlatformTrackFiles : public TrackFiles {
public:
    bool Exists(const std::string& path) override;
    void Remove(const std::string& path) override;
    std::unique_ptr<TrackFileWriter> Create(const std::string& path) override;
};

// The platform's temporary folder, ending in its path separator (Linux: $TMPDIR when it
// names a folder, else /tmp).
std::string TemporaryFolder();

}  // namespace gd
