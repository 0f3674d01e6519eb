// Plays a made screensaver's show the way the screensaver does on one monitor (its own
// resources, its own decoders, its show settings, its monitor mode) in a hidden window of
// a given size with a given random seed, and writes what the window shows after its first transitions:
//   saver_frames_probe SAVER WIDTH HEIGHT SEED OUT_PREFIX [COUNT]
// writes OUT_PREFIX1.raw, OUT_PREFIX2.raw, ...: 32-bit pixels 0x00RRGGBB, top row first.
// Exit code 0 when every frame was written.

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "runtime/payload_reader.h"
#include "runtime/win32/module_resources.h"
#include "runtime/win32/saver_show.h"

namespace {

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcW(window, message, wparam, lparam);
}

bool WriteFrame(const std::wstring& path, const gd::Bitmap& frame) {
    FILE* out = _wfopen(path.c_str(), L"wb");
    if (!out) return false;
    bool ok = true;
    for (int y = 0; y < frame.height() && ok; ++y)
        ok = std::fwrite(frame.row(y), sizeof(gd::Pixel), size_t(frame.width()), out) == size_t(frame.width());
    return std::fclose(out) == 0 && ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 6) return 2;
    const int width = _wtoi(argv[2]), height = _wtoi(argv[3]);
    const uint32_t seed = uint32_t(wcstoul(argv[4], nullptr, 10));
    const std::wstring prefix = argv[5];
    const int count = argc > 6 ? _wtoi(argv[6]) : 2;

    HMODULE module = LoadLibraryExW(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return 3;
    auto resources = std::make_shared<gd::ModuleResources>(module);
    std::optional<gd::SaverConfig> config = gd::LoadSaverConfig(*resources);
    if (!config) return 4;

    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!gd::RegisterShowWindowClass(instance, "SaverFramesProbe", &Procedure, nullptr, nullptr)) return 5;
    HWND window = CreateWindowExA(0, "SaverFramesProbe", "", WS_POPUP, 0, 0, width, height, nullptr, nullptr,
                                  instance, nullptr);
    if (!window) return 5;
    // One monitor of the window's size, in the screensaver's monitor mode.
    auto sharing = std::make_shared<gd::MonitorSharing>(gd::MonitorModeOf(config->monitor_mode), seed);
    std::unique_ptr<gd::WindowShow> show = gd::MakeFullScreenShows(
        window, *config, resources, {gd::ShowStage{gd::Rect{0, 0, width, height}}}, sharing);
    std::mutex lock;
    std::vector<gd::Bitmap> frames;
    std::atomic<int> taken{0};
    gd::SlideStage& stage = show->stage();
    stage.on_transition_end = [&] {
        std::lock_guard guard(lock);
        if (int(frames.size()) >= count) return;
        const gd::Bitmap& shown = stage.window();
        gd::Bitmap copy(shown.width(), shown.height());
        for (int y = 0; y < shown.height(); ++y) std::copy(shown.row(y), shown.row(y) + shown.width(), copy.row(y));
        frames.push_back(std::move(copy));
        taken = int(frames.size());
    };
    show->Start();
    const DWORD start = GetTickCount();
    while (taken < count && GetTickCount() - start < 60000) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        Sleep(10);
    }
    show->Stop();
    if (taken < count) return 6;
    for (int i = 0; i < count; ++i)
        if (!WriteFrame(prefix + std::to_wstring(i + 1) + L".raw", frames[size_t(i)])) return 7;
    show.reset();
    DestroyWindow(window);
    FreeLibrary(module);
    return 0;
}
