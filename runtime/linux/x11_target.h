#pragma once
// The window a show plays in on X11, and what happens to it: a window of the program's
// own (an ordinary one, or one over the whole screen that takes the keyboard and the
// pointer), the root window, or a window someone else made (a screensaver host's). The
// program draws on a window that is not its own but never changes it: it only listens
// for its size, its exposure and its end.

#include <X11/Xlib.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "player/show_input.h"
#include "raster/geometry.h"
#include "runtime/linux/xshm_surface.h"

namespace gd {

enum class TargetKind { kOwnWindow, kOwnFullScreen, kRoot, kForeign };

struct TargetEvent {
    enum Kind { kExpose, kResize, kInput, kCloseRequest, kGone } kind;
    Rect area;         // kExpose: what to paint again
    int width = 0, height = 0;  // kResize
    ShowInput input{};  // kInput
};

class X11Target {
public:
    // Opens the display (null: $DISPLAY) and the window; nothing and the reason when
    // either fails. `title` names an own window; `width` x `height` its size (0: the
    // default). `foreign` is the window of kForeign.
    static std::unique_ptr<X11Target> Open(TargetKind kind, Window foreign, const std::string& title, int width,
                                           int height, std::string* why);
    ~X11Target();
    X11Target(const X11Target&) = delete;
    X11Target& operator=(const X11Target&) = delete;

    Display* display() const { return display_; }
    const char* display_name() const;
    int connection_fd() const;
    const X11WindowInfo& window() const { return info_; }
    TargetKind kind() const { return kind_; }
    int screen_width() const;
    int screen_height() const;

    // The events waiting, in order, translated.
    std::vector<TargetEvent> TakeEvents();
    // Where the pointer is on the screen now.
    Point Pointer() const;
    // Takes an own window off the screen; a window not its own stays as it is.
    void Hide();

private:
    X11Target() = default;
    bool OpenOwn(const std::string& title, int width, int height, bool full_screen, std::string* why);
    bool OpenExisting(Window window, std::string* why);
    void Translate(const XEvent& e, std::vector<TargetEvent>& out);

    Display* display_ = nullptr;
    TargetKind kind_ = TargetKind::kOwnWindow;
    X11WindowInfo info_;
    Atom wm_delete_ = 0;
    Cursor blank_cursor_ = 0;
    bool grabbed_ = false;
    bool gone_ = false;
};

// Whether an X key event with `keysym` and modifier `state` is Escape, a system key
// (Alt held, or F10) or any other key.
ShowInput KeyInput(unsigned long keysym, unsigned state);

}  // namespace gd
