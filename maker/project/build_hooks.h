#pragma once
// What the build needs from outside the project code: the picture encoder, the writer of
// the output file's resources, the user's answers and the platform's screensaver setting.
// Each is a small interface so the GUI, the command line and the tests supply their own.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace gd {

// How preparing one picture entry ended; each failure has its own log line.
enum class PictureOutcome {
    kOk,
    kLoadFailed,     // the image library cannot decode the file
    kGifOpenFailed,  // a GIF file decodes but cannot be opened for its bytes
    kGifReadFailed,  // ... or cannot be read
    kEncodeFailed,   // neither JPEG nor (for the BMP family) GIF encoding worked
};

struct PictureEntry {
    PictureOutcome outcome = PictureOutcome::kLoadFailed;
    std::vector<uint8_t> bytes;  // the JPEG or GIF file to embed
    std::string reason;          // of a failure, when known: the decoder's or the system's text
};

// Turns a picture file into the bytes of its entry. Called from several threads at once.
class PictureEncoder {
public:
    virtual ~PictureEncoder() = default;
    virtual PictureEntry Encode(const std::string& path, int image_type) const = 0;
};

// The resources of one output file, written as one batch: nothing reaches the file
// before Commit().
class ResourceTarget {
public:
    virtual ~ResourceTarget() = default;
    virtual bool Write(uint16_t type, uint16_t id, std::span<const uint8_t> bytes) = 0;
    // Gives the file the icon of an .ico file; false when the icon file is unusable.
    virtual bool ReplaceIcon(const std::string& icon_file) = 0;
    virtual bool Commit() = 0;
    // Why the last Write or Commit failed: the system's text when a file call failed ("No
    // space left on device"), else a description.
    virtual std::string FailureReason() const = 0;
};

class ResourceTargetFactory {
public:
    virtual ~ResourceTargetFactory() = default;
    // Opens an executable for writing resources; nullptr when it is not one we can edit.
    virtual std::unique_ptr<ResourceTarget> Open(const std::string& path) = 0;
};

// Questions and messages of the build, asked from the worker thread. A question returns
// true for OK.
class BuildQuestions {
public:
    virtual ~BuildQuestions() = default;
    virtual bool Ask(const std::string& question) = 0;
    virtual void ShowMessage(const std::string& text) = 0;
};

// The platform's active-screensaver setting.
class ScreensaverPlatform {
public:
    virtual ~ScreensaverPlatform() = default;
    // False where the platform has no such setting.
    virtual bool CanSetDefaultSaver() const = 0;
    // The folder installed screensavers live in.
    virtual std::string SystemFolder() const = 0;
    // Makes the installed file the active screensaver (short path in the boot section,
    // screensaver turned on and the setting stored).
    virtual bool ActivateScreensaver(const std::string& installed_path) = 0;
};

// The platform this maker runs on (Linux: no default screensaver to set).
ScreensaverPlatform& HostScreensaverPlatform();

}  // namespace gd
