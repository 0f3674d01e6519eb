// How fast a made screensaver, and the maker's full-screen preview, go away under Wine
// once the user ends them, whatever the show is doing at that moment. Makes one project
// and screensaver per moment with the maker's command line (from pictures and tones
// drawn here), runs each screensaver full screen (/s) in the tests' prefix and display
// several times, presses a key at a moment that falls mid-effect, mid-pause, while a very
// large picture decodes, or while tracks open and close, and prints per moment the time
// from the key to the window leaving the screen and to the process's end. Then it opens
// the mid-effect and the decoding projects in Glimmerdeck.exe, starts the preview (F5),
// ends it with Escape, and prints the time to the preview's window leaving the screen
// and to its destruction, the last thing the preview's thread does.
//
//   close_bench [--runs N] [--keep DIR] [--template FILE] [--maker FILE]
//
// --template makes the screensavers from another runtime template (an older build's
// data1.dat), --maker previews with another Glimmerdeck.exe, to compare before and after
// a change. Keys go through xdotool; windows are watched through the X server.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "bench/bench_photos.h"
#include "bench/wine_bench_support.h"

// After our headers: Xlib defines Status and Bool as macros.
#include <X11/Xlib.h>

namespace fs = std::filesystem;
using namespace gd::bench;

namespace {

struct Moment {
    const char* name;
    const char* what;
    std::vector<std::string> settings;  // glimmerdeck set KEY=VALUE
    int picture_width, picture_height, pictures;
    int tracks;                          // tones of 0.3 s
    double key_after_s;                  // after the window appeared (plus a little per run)
};

const Moment kMoments[] = {
    {"effect", "mid-effect (10 s effects, no pause)", {"nEffectMilliSecond=10000", "nPicturePause=0"}, 1024, 768, 2, 0, 2.5},
    {"pause", "mid-pause (no effects, 30 s pause)", {"bEffectOn=" + std::string(64, '0'), "nPicturePause=30"}, 1024, 768, 2, 0, 2.5},
    {"decode", "decoding 8000 x 6000 pictures (no effects, no pause)", {"bEffectOn=" + std::string(64, '0'), "nPicturePause=0", "bShufflePic=0"}, 8000, 6000, 3, 0, 2.5},
    {"music", "tracks opening and closing (30 tones of 0.3 s, no music pause)", {"nAudioPause=0", "nPicturePause=30", "bEffectOn=" + std::string(64, '0')}, 640, 480, 2, 30, 2.5},
};

// The top-level windows of the display that are viewable and cover the whole screen.
std::set<Window> FullScreenWindows(Display* display) {
    std::set<Window> found;
    Window root = DefaultRootWindow(display), parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, root, &root, &parent, &children, &count)) return found;
    const int w = DisplayWidth(display, DefaultScreen(display)), h = DisplayHeight(display, DefaultScreen(display));
    for (unsigned k = 0; k < count; ++k) {
        XWindowAttributes a{};
        if (XGetWindowAttributes(display, children[k], &a) && a.map_state == IsViewable && a.width == w &&
            a.height == h)
            found.insert(children[k]);
    }
    if (children) XFree(children);
    return found;
}

bool Viewable(Display* display, Window window) {
    XWindowAttributes a{};
    return XGetWindowAttributes(display, window, &a) && a.map_state == IsViewable;
}

bool Exists(Display* display, Window window) {
    XWindowAttributes a{};
    return XGetWindowAttributes(display, window, &a) != 0;
}

// The first visible top-level window named `name`, waited for up to `ms`.
Window WindowNamed(Display* display, const std::string& name, int ms) {
    for (int k = 0; k < ms; ++k) {
        Window root = DefaultRootWindow(display), parent = 0, *children = nullptr;
        unsigned count = 0;
        Window found = 0;
        if (XQueryTree(display, root, &root, &parent, &children, &count)) {
            for (unsigned c = 0; c < count && !found; ++c) {
                char* title = nullptr;
                if (XFetchName(display, children[c], &title) && title) {
                    if (name == title && Viewable(display, children[c])) found = children[c];
                    XFree(title);
                }
            }
            if (children) XFree(children);
        }
        if (found) return found;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return 0;
}

struct Sample {
    double hidden_ms = -1;  // key to the window off the screen
    double ended_ms = -1;   // key to the process's end (the preview: its window's end)
};

using Since = std::chrono::steady_clock::time_point;
double MillisecondsSince(Since start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

int IgnoreXErrors(Display*, XErrorEvent*) { return 0; }

Sample RunOnce(Display* display, const std::string& saver, double key_after_s) {
    Sample s;
    const std::set<Window> before = FullScreenWindows(display);
    pid_t pid = StartQuietly({std::getenv("WINE"), saver, "/s"});
    Window window = 0;
    for (int k = 0; k < 20000 && !window; ++k) {
        for (Window w : FullScreenWindows(display))
            if (!before.count(w)) window = w;
        if (!window) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (!window) {
        WaitForExit(pid, 0);
        return s;
    }
    std::this_thread::sleep_for(std::chrono::duration<double>(key_after_s));
    const auto key = std::chrono::steady_clock::now();
    RunQuietly({"/usr/bin/xdotool", "key", "space"});
    auto since = [&] { return MillisecondsSince(key); };
    while (since() < 15000) {
        if (s.hidden_ms < 0 && !Viewable(display, window)) s.hidden_ms = since();
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            s.ended_ms = since();
            if (s.hidden_ms < 0) s.hidden_ms = s.ended_ms;
            return s;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    WaitForExit(pid, 0);
    return s;
}

// Gives a window the keyboard the way a user does without a window manager: a click on
// its caption.
void ClickCaption(Display* display, Window window) {
    XWindowAttributes a{};
    if (!XGetWindowAttributes(display, window, &a)) return;
    RunQuietly({"/usr/bin/xdotool", "mousemove", std::to_string(a.x + 40), std::to_string(a.y + 10), "click", "1"});
}

// One preview of `psm` in `maker`: F5 in the maker's window, Escape after a while.
Sample PreviewOnce(Display* display, const std::string& maker, const std::string& psm, double key_after_s) {
    Sample s;
    pid_t pid = StartQuietly({std::getenv("WINE"), maker, WindowsPath(psm)});
    const Window frame = WindowNamed(display, "Glimmerdeck - show.psm", 30000);
    if (frame) {
        if (const Window tip = WindowNamed(display, "Tip of the Day", 2000)) {
            ClickCaption(display, tip);
            RunQuietly({"/usr/bin/xdotool", "key", "Escape"});
        }
        ClickCaption(display, frame);
        RunQuietly({"/usr/bin/xdotool", "key", "F5"});
        if (const Window preview = WindowNamed(display, "Glimmerdeck Preview", 20000)) {
            std::this_thread::sleep_for(std::chrono::duration<double>(key_after_s));
            const Since key = std::chrono::steady_clock::now();
            RunQuietly({"/usr/bin/xdotool", "key", "Escape"});
            while (MillisecondsSince(key) < 15000 && Exists(display, preview)) {
                if (s.hidden_ms < 0 && !Viewable(display, preview)) s.hidden_ms = MillisecondsSince(key);
                std::this_thread::sleep_for(std::chrono::microseconds(500));
            }
            if (!Exists(display, preview)) {
                s.ended_ms = MillisecondsSince(key);
                if (s.hidden_ms < 0) s.hidden_ms = s.ended_ms;
            }
        }
    }
    kill(pid, SIGTERM);
    WaitForExit(pid, 5000);
    return s;
}

bool MakeSaver(const fs::path& folder, const Moment& m, const std::string& maker, std::string* out) {
    fs::create_directories(folder);
    std::vector<std::string> args = {maker, "new", (folder / "show.psm").string(), "--force", "--name", m.name,
                                     "--standard", "--output-folder", folder.string()};
    for (int p = 0; p < m.pictures; ++p) {
        const std::string path = (folder / ("picture" + std::to_string(p) + ".jpg")).string();
        gd::CxImage photo = Photo(m.picture_width, m.picture_height, p, 30);
        if (!WritePhoto(path, photo)) return false;
        args.insert(args.end(), {"--picture", path});
    }
    for (int t = 0; t < m.tracks; ++t) {
        const std::string path = (folder / ("tone" + std::to_string(100 + t) + ".wav")).string();
        if (!WriteTone(path, 0.3)) return false;
        args.insert(args.end(), {"--music", path});
    }
    if (!RunQuietly(args)) return false;
    std::vector<std::string> set = {maker, "set", (folder / "show.psm").string(), "bKeyboardEvent=1"};
    set.insert(set.end(), m.settings.begin(), m.settings.end());
    if (!RunQuietly(set) || !RunQuietly({maker, "make", (folder / "show.psm").string(), "--yes"})) return false;
    *out = (folder / (std::string(m.name) + ".scr")).string();
    return fs::exists(*out);
}

// A program folder of our own whose runtime template is `template_file`.
std::string ProgramFolderWith(const fs::path& work, const std::string& template_file) {
    const fs::path folder = work / "program";
    fs::create_directories(folder / "data");
    fs::copy(fs::path(GD_DIST_TEMPLATE).parent_path(), folder / "data",
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    fs::copy_file(template_file, folder / "data" / "data1.dat", fs::copy_options::overwrite_existing);
    return folder.string();
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 5;
    std::string keep, template_file = GD_DIST_TEMPLATE, maker_exe = GD_WINDOWS_MAKER;
    for (int k = 1; k < argc; ++k) {
        std::string a = argv[k];
        if (a == "--runs" && k + 1 < argc) runs = std::max(1, std::atoi(argv[++k]));
        else if (a == "--keep" && k + 1 < argc) keep = argv[++k];
        else if (a == "--template" && k + 1 < argc) template_file = fs::absolute(argv[++k]).string();
        else if (a == "--maker" && k + 1 < argc) maker_exe = fs::absolute(argv[++k]).string();
        else {
            std::fprintf(stderr, "usage: close_bench [--runs N] [--keep DIR] [--template FILE] [--maker FILE]\n");
            return 2;
        }
    }
    if (!fs::exists(GD_LINUX_MAKER) || !fs::exists(template_file)) {
        std::fprintf(stderr, "build the maker and the Windows runtime first (%s, %s)\n", GD_LINUX_MAKER,
                     template_file.c_str());
        return 2;
    }
    const fs::path work = keep.empty() ? fs::temp_directory_path() / ("gd-close-bench-" + std::to_string(getpid()))
                                       : fs::path(keep);
    fs::create_directories(work);
    if (template_file != GD_DIST_TEMPLATE) setenv("GD_PROGRAM_FOLDER", ProgramFolderWith(work, template_file).c_str(), 1);
    std::printf("runtime template: %s\nload average at start: %.2f\n", template_file.c_str(), LoadAverage());
    std::printf("making one screensaver per moment...\n");
    std::fflush(stdout);
    std::vector<std::string> savers;
    for (const Moment& m : kMoments) {
        std::string saver;
        if (!MakeSaver(work / m.name, m, GD_LINUX_MAKER, &saver)) {
            std::fprintf(stderr, "making the screensaver '%s' failed\n", m.name);
            return 1;
        }
        savers.push_back(saver);
    }
    if (!EnterWineSession(GD_WINE_SESSION)) {
        std::fprintf(stderr, "cannot start the Wine session (%s)\n", GD_WINE_SESSION);
        return 1;
    }
    setenv("WINEDEBUG", "-all", 1);
    XSetErrorHandler(IgnoreXErrors);
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "cannot open the display\n");
        return 1;
    }

    std::printf("\n%-7s %-62s %12s %12s %12s %12s %7s\n", "moment", "what the show does", "hidden med", "hidden max",
                "ended med", "ended max", "failed");
    for (size_t i = 0; i < savers.size(); ++i) {
        RunOnce(display, savers[i], 1.0);  // Wine's first start of a program does extra work
        std::vector<double> hidden, ended;
        int failed = 0;
        for (int r = 0; r < runs; ++r) {
            // A little later each run, so the key falls at other points of the moment.
            const Sample s = RunOnce(display, savers[i], kMoments[i].key_after_s + 0.37 * r);
            if (s.ended_ms < 0) {
                ++failed;
                continue;
            }
            hidden.push_back(s.hidden_ms);
            ended.push_back(s.ended_ms);
        }
        std::printf("%-7s %-62s %9.1f ms %9.1f ms %9.1f ms %9.1f ms %7d\n", kMoments[i].name, kMoments[i].what,
                    Median(hidden), Largest(hidden), Median(ended), Largest(ended), failed);
        std::fflush(stdout);
    }

    // The preview: the tip of the day stays closed, so F5 reaches the maker's window.
    RunQuietly({std::getenv("WINE"), "reg", "add", "HKCU\\Software\\Corvane-Tech Software\\Glimmerdeck\\Tip", "/v",
                "StartUp", "/t", "REG_DWORD", "/d", "0", "/f"});
    std::printf("\npreview in %s\n", maker_exe.c_str());
    std::printf("%-7s %-62s %12s %12s %12s %12s %7s\n", "moment", "what the show does", "hidden med", "hidden max",
                "gone med", "gone max", "failed");
    for (size_t i : {size_t(0), size_t(2)}) {
        const std::string psm = (work / kMoments[i].name / "show.psm").string();
        std::vector<double> hidden, ended;
        int failed = 0;
        for (int r = 0; r < runs; ++r) {
            const Sample s = PreviewOnce(display, maker_exe, psm, kMoments[i].key_after_s + 0.37 * r);
            if (s.ended_ms < 0) {
                ++failed;
                continue;
            }
            hidden.push_back(s.hidden_ms);
            ended.push_back(s.ended_ms);
        }
        std::printf("%-7s %-62s %9.1f ms %9.1f ms %9.1f ms %9.1f ms %7d\n", kMoments[i].name, kMoments[i].what,
                    Median(hidden), Largest(hidden), Median(ended), Largest(ended), failed);
        std::fflush(stdout);
    }
    std::printf("goal: hidden within 100 ms, ended within 500 ms\nload average at the end: %.2f\n", LoadAverage());
    XCloseDisplay(display);
    if (keep.empty()) fs::remove_all(work);
    return 0;
}
