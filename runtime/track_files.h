#pragma once
// The files the music player writes its tracks to. The media layer plays only files, so
// each track is written to a temporary file first; this is the seam between that logic
// and the platform's file system.

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace gd {

class TrackFileWriter {
public:
    virtual ~TrackFileWriter() = default;
    virtual bool Write(std::span<const uint8_t> bytes) = 0;
    // Closes the file; false when the last bytes could not be stored.
    virtual bool Close() = 0;
};

class TrackFiles {
public:
    virtual ~TrackFiles() = default;
    virtual bool Exists(const std::string& path) = 0;
    // Removes the file. It may still be open for writing by another thread: it then
    // disappears when that writer closes it, at the latest when the process ends.
    virtual void Remove(const std::string& path) = 0;
    // Creates the file, replacing any file of that name, for exclusive writing.
    virtual std::unique_ptr<TrackFileWriter> Create(const std::string& path) = 0;
};

// The file a track is written to: temporary folder (ending in a separator), the
// screensaver's identifier, the track id in decimal, ".", the extension tag. Identifier
// and tag come from the payload, so anything but letters and digits in them is replaced
// by "_" (identifier) or dropped (tag): a damaged payload cannot name a file outside the
// temporary folder.
std::string TrackFileName(const std::string& temp_dir, const std::string& identifier, int32_t track_id,
                          const std::string& extension_tag);

}  // namespace gd
