#pragma once
// What the build needs from outside the project code: the picture encoder, the writer of
// the output file's resources, the user's answers and the platform's screensaver setting.
// Each is a small interface so the GUI, the command line and the tests supply their own.

#include <cstdint>
#include <functional>
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

// How a picture is prepared besides what its file holds: see-through pixels are laid over
// `background` (0x00BBGGRR, the show's background colour), and a picture larger than the
// box of `fit_width` x `fit_height` is shrunk to fit it (0: that side is not limited);
// with `true_colours` the colours are turned into sRGB by the profile the file embeds,
// without it they are kept as stored.
struct PictureShape {
    uint32_t background = 0;
    int fit_width = 0;
    int fit_height = 0;
    bool true_colours = true;
};

// Turns a picture file into the bytes of its entry. Called from several threads at once.
class PictureEncoder {
public:
    virtual ~PictureEncoder() = default;
    virtual PictureEntry Encode(const std::string& path, int image_type, const PictureShape& shape) const = 0;
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
    // A question whose OK destroys something (a file replaced); a window shows it with
    // the warning icon rather than the question's.
    virtual bool AskToReplace(const std::string& question) { return Ask(question); }
    virtual void ShowMessage(const std::string& text) = 0;
};

// How installing the made file as the active screensaver went, and where it went.
struct DefaultSaverInstall {
    enum class Status {
        kInstalled,  // copied; `activated` says whether it became the active screensaver
        kDeclined,   // the file was there already and the user kept it
        kFailed,     // the copy failed
    };
    Status status = Status::kFailed;
    std::string path;               // the installed file, or where it would have gone
    bool for_current_user = false;  // the system folder refused: the user's own folder
    bool activated = false;
};

// The platform's active-screensaver setting.
class ScreensaverPlatform {
public:
    virtual ~ScreensaverPlatform() = default;
    // False where the platform has no such setting.
    virtual bool CanSetDefaultSaver() const = 0;
    // Copies the made file as "<name>.scr" into the system folder, or into a folder of
    // the current user's when the system folder refuses, and makes it the active
    // screensaver. `confirm_replace` is asked (with the existing file's path) before a
    // file there is replaced.
    virtual DefaultSaverInstall InstallDefaultSaver(const std::string& made_file, const std::string& name,
                                                    const std::function<bool(const std::string&)>& confirm_replace) = 0;
};

// The platform this maker runs on: Windows installs through the install both programs
// share; Linux has no default screensaver to set.
ScreensaverPlatform& HostScreensaverPlatform();

}  // namespace gd
