#include "runtime/linux/x11_target.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <chrono>
#include <thread>

#include "runtime/linux/x11_errors.h"

namespace gd {
namespace {

constexpr int kDefaultWidth = 800, kDefaultHeight = 600;

// WM_NAME, for window managers and tools that read no _NET_WM_NAME: Latin-1 text when the
// title is all Latin-1, else compound text, converted from UTF-8 (XStoreName would store
// the UTF-8 bytes as Latin-1, and "Ελλάδα" would read as mojibake).
void SetLegacyTitle(Display* d, Window w, const std::string& title) {
    char* list[] = {const_cast<char*>(title.c_str())};
    XTextProperty property{};
    if (Xutf8TextListToTextProperty(d, list, 1, XStdICCTextStyle, &property) < Success) {
        XStoreName(d, w, title.c_str());
        return;
    }
    XSetWMName(d, w, &property);
    XFree(property.value);
}

// An invisible pointer for the full-screen show, as a screensaver shows none.
Cursor BlankCursor(Display* d, Window w) {
    static char none[1] = {0};
    Pixmap p = XCreateBitmapFromData(d, w, none, 1, 1);
    XColor black{};
    Cursor c = XCreatePixmapCursor(d, p, p, &black, &black, 0, 0);
    XFreePixmap(d, p);
    return c;
}

}  // namespace

ShowInput KeyInput(unsigned long keysym, unsigned state) {
    if (keysym == XK_Escape) return ShowInput::kEscape;
    if ((state & Mod1Mask) || keysym == XK_F10 || keysym == XK_Alt_L || keysym == XK_Alt_R)
        return ShowInput::kSystemKey;
    return ShowInput::kKey;
}

std::unique_ptr<X11Target> X11Target::Open(TargetKind kind, Window foreign, const std::string& title, int width,
                                           int height, std::string* why) {
    InstallX11ErrorHandler();
    std::unique_ptr<X11Target> t(new X11Target());
    t->display_ = XOpenDisplay(nullptr);
    if (!t->display_) {
        if (why) *why = "cannot open the display (is DISPLAY set?)";
        return nullptr;
    }
    t->kind_ = kind;
    bool ok = false;
    switch (kind) {
        case TargetKind::kOwnWindow: ok = t->OpenOwn(title, width, height, false, why); break;
        case TargetKind::kOwnFullScreen: ok = t->OpenOwn(title, 0, 0, true, why); break;
        case TargetKind::kRoot: ok = t->OpenExisting(DefaultRootWindow(t->display_), why); break;
        case TargetKind::kForeign: ok = t->OpenExisting(foreign, why); break;
    }
    if (!ok) return nullptr;
    if (!VisualTakesBitmapPixels(t->display_, t->info_, why)) return nullptr;
    return t;
}

X11Target::~X11Target() {
    if (!display_) return;
    if (grabbed_) {
        XUngrabKeyboard(display_, CurrentTime);
        XUngrabPointer(display_, CurrentTime);
    }
    if (kind_ == TargetKind::kOwnWindow || kind_ == TargetKind::kOwnFullScreen) {
        if (info_.window) XDestroyWindow(display_, info_.window);
    } else if (info_.window && !gone_) {
        XSelectInput(display_, info_.window, NoEventMask);
    }
    if (blank_cursor_) XFreeCursor(display_, blank_cursor_);
    XCloseDisplay(display_);
}

const char* X11Target::display_name() const { return DisplayString(display_); }
int X11Target::connection_fd() const { return ConnectionNumber(display_); }
int X11Target::screen_width() const { return DisplayWidth(display_, DefaultScreen(display_)); }
int X11Target::screen_height() const { return DisplayHeight(display_, DefaultScreen(display_)); }

bool X11Target::OpenOwn(const std::string& title, int width, int height, bool full_screen, std::string* why) {
    Display* d = display_;
    const int screen = DefaultScreen(d);
    Window root = RootWindow(d, screen);
    XSetWindowAttributes a{};
    a.background_pixel = BlackPixel(d, screen);
    a.event_mask = ExposureMask | StructureNotifyMask | KeyPressMask | ButtonPressMask | PointerMotionMask |
                   FocusChangeMask;
    unsigned long mask = CWBackPixel | CWEventMask;
    if (full_screen) {
        width = DisplayWidth(d, screen);
        height = DisplayHeight(d, screen);
        a.override_redirect = True;  // over every other window, as a screensaver
        mask |= CWOverrideRedirect;
    } else {
        if (width <= 0 || height <= 0) {
            width = std::min(kDefaultWidth, DisplayWidth(d, screen));
            height = std::min(kDefaultHeight, DisplayHeight(d, screen));
        }
    }
    Window w = XCreateWindow(d, root, 0, 0, unsigned(width), unsigned(height), 0, DefaultDepth(d, screen),
                             InputOutput, DefaultVisual(d, screen), mask, &a);
    if (!w) {
        if (why) *why = "cannot create a window";
        return false;
    }
    SetLegacyTitle(d, w, title);
    Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
    XChangeProperty(d, w, XInternAtom(d, "_NET_WM_NAME", False), utf8, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title.data()), int(title.size()));
    XClassHint hint{const_cast<char*>("reelhost"), const_cast<char*>("Reelhost")};
    XSetClassHint(d, w, &hint);
    wm_delete_ = XInternAtom(d, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(d, w, &wm_delete_, 1);
    info_.window = w;
    info_.visual = DefaultVisual(d, screen);
    info_.depth = DefaultDepth(d, screen);
    info_.width = width;
    info_.height = height;
    if (full_screen) {
        blank_cursor_ = BlankCursor(d, w);
        XDefineCursor(d, w, blank_cursor_);
    }
    XMapRaised(d, w);
    XSync(d, False);
    if (full_screen) {
        // Another program may hold the keyboard for a moment (a menu closing): retry
        // briefly, as the show must get every key that ends it.
        for (int i = 0; i < 20 && !grabbed_; ++i) {
            grabbed_ = XGrabKeyboard(d, w, True, GrabModeAsync, GrabModeAsync, CurrentTime) == GrabSuccess;
            if (!grabbed_) std::this_thread::sleep_for(std::chrono::milliseconds(25));
        }
        XGrabPointer(d, w, True, ButtonPressMask | PointerMotionMask, GrabModeAsync, GrabModeAsync, None,
                     blank_cursor_, CurrentTime);
        XSetInputFocus(d, w, RevertToParent, CurrentTime);
        XSync(d, False);
    }
    return true;
}

bool X11Target::OpenExisting(Window window, std::string* why) {
    XWindowAttributes wa{};
    const uint64_t errors = X11ErrorCount();
    if (!XGetWindowAttributes(display_, window, &wa) || X11ErrorCount() != errors) {
        if (why) {
            char text[64];
            std::snprintf(text, sizeof text, "there is no window 0x%lx", window);
            *why = text;
        }
        return false;
    }
    info_.window = window;
    info_.visual = wa.visual;
    info_.depth = wa.depth;
    info_.width = wa.width;
    info_.height = wa.height;
    // Only what a guest may ask for: its size, its exposure and its end. Input stays
    // with the window's owner.
    XSelectInput(display_, window, StructureNotifyMask | ExposureMask);
    XSync(display_, False);
    return true;
}

std::vector<TargetEvent> X11Target::TakeEvents() {
    std::vector<TargetEvent> out;
    while (XPending(display_) > 0) {
        XEvent e;
        XNextEvent(display_, &e);
        Translate(e, out);
    }
    if (!gone_ && X11WindowGone(info_.window)) {
        gone_ = true;
        out.push_back({TargetEvent::kGone, {}});
    }
    return out;
}

void X11Target::Translate(const XEvent& e, std::vector<TargetEvent>& out) {
    if (e.xany.window != info_.window) return;
    switch (e.type) {
        case Expose:
            out.push_back({TargetEvent::kExpose, {e.xexpose.x, e.xexpose.y, e.xexpose.x + e.xexpose.width,
                                                  e.xexpose.y + e.xexpose.height}});
            break;
        case ConfigureNotify:
            if (e.xconfigure.width != info_.width || e.xconfigure.height != info_.height) {
                info_.width = e.xconfigure.width;
                info_.height = e.xconfigure.height;
                TargetEvent r{TargetEvent::kResize, {}};
                r.width = info_.width;
                r.height = info_.height;
                out.push_back(r);
            }
            break;
        case DestroyNotify:
            gone_ = true;
            out.push_back({TargetEvent::kGone, {}});
            break;
        case ClientMessage:
            if (Atom(e.xclient.data.l[0]) == wm_delete_) out.push_back({TargetEvent::kCloseRequest, {}});
            break;
        case KeyPress: {
            KeySym sym = XLookupKeysym(const_cast<XKeyEvent*>(&e.xkey), 0);
            TargetEvent k{TargetEvent::kInput, {}};
            k.input = KeyInput(sym, e.xkey.state);
            out.push_back(k);
            break;
        }
        case ButtonPress: {
            TargetEvent b{TargetEvent::kInput, {}};
            if (e.xbutton.button == Button1) b.input = ShowInput::kLeftButton;
            else if (e.xbutton.button == Button2) b.input = ShowInput::kMiddleButton;
            else if (e.xbutton.button == Button3) b.input = ShowInput::kRightButton;
            else break;  // the wheel: no button press of the show's
            out.push_back(b);
            break;
        }
        case MotionNotify: {
            TargetEvent m{TargetEvent::kInput, {}};
            m.input = ShowInput::kMouseMove;
            out.push_back(m);
            break;
        }
        case FocusOut:
            // Leaving the window, not a grab's coming and going.
            if (e.xfocus.mode == NotifyNormal && e.xfocus.detail != NotifyInferior &&
                e.xfocus.detail != NotifyPointer) {
                TargetEvent f{TargetEvent::kInput, {}};
                f.input = ShowInput::kDeactivate;
                out.push_back(f);
            }
            break;
    }
}

Point X11Target::Pointer() const {
    Window root_return, child;
    int rx = 0, ry = 0, wx = 0, wy = 0;
    unsigned mask = 0;
    XQueryPointer(display_, DefaultRootWindow(display_), &root_return, &child, &rx, &ry, &wx, &wy, &mask);
    return {rx, ry};
}

void X11Target::Hide() {
    if (kind_ != TargetKind::kOwnWindow && kind_ != TargetKind::kOwnFullScreen) return;
    if (grabbed_) {
        XUngrabKeyboard(display_, CurrentTime);
        XUngrabPointer(display_, CurrentTime);
        grabbed_ = false;
    }
    XUnmapWindow(display_, info_.window);
    XFlush(display_);
}

}  // namespace gd
