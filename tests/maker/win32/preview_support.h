#pragma once
// Pictures, plans and waiting for the preview and demonstration tests under Wine.

#include <windows.h>
#include <tlhelp32.h>

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/cx_image.h"
#include "maker/preview/preview_plan.h"
#include "raster/bitmap.h"
#include "tests/maker/project/temp_folder.h"
#include "tests/player/player_fakes.h"
#include "tests/runtime/wine/message_pump.h"

namespace gd::test {

// A GIF of `colors.size()` vertical stripes: a palette picture a build keeps unchanged.
inline std::string WriteStripesGif(const TempFolder& folder, const std::string& name, int width, int height,
                                   const std::vector<COLORREF>& colors) {
    CxImage image;
    uint8_t* bits = image.Create(width, height, 8);
    if (!bits) return {};
    for (size_t i = 0; i < colors.size(); ++i)
        image.SetPaletteColor(int(i), RgbQuad{GetBValue(colors[i]), GetGValue(colors[i]), GetRValue(colors[i]), 0});
    for (int y = 0; y < height; ++y) {
        uint8_t* row = bits + size_t(y) * image.GetEffWidth();
        for (int x = 0; x < width; ++x) row[x] = uint8_t(size_t(x) * colors.size() / size_t(width));
    }
    std::vector<uint8_t> bytes;
    if (!image.Encode(bytes, kFormatGif)) return {};
    return folder.Write(name, bytes);
}

// A JPEG of one colour.
inline std::string WriteColorJpeg(const TempFolder& folder, const std::string& name, int width, int height,
                                  COLORREF color) {
    CxImage image;
    uint8_t* bits = image.Create(width, height, 24);
    if (!bits) return {};
    for (int y = 0; y < height; ++y) {
        uint8_t* row = bits + size_t(y) * image.GetEffWidth();
        for (int x = 0; x < width; ++x) {
            row[3 * x] = GetBValue(color);
            row[3 * x + 1] = GetGValue(color);
            row[3 * x + 2] = GetRValue(color);
        }
    }
    std::vector<uint8_t> bytes;
    if (!image.Encode(bytes, kFormatJpeg)) return {};
    return folder.Write(name, bytes);
}

// A plan of the given pictures (without captions) that ends on Escape and deactivation
// only, with a quick show.
inline PreviewPlan QuickPlan(const std::vector<std::string>& pictures) {
    PreviewPlan plan;
    for (const std::string& p : pictures) plan.pictures.push_back({p, CaptionRecord{}});
    plan.show.picture_count = int32_t(pictures.size());
    plan.show.effect_duration = 200;
    plan.show.picture_pause = 1;
    for (int32_t id = 1; id <= 44; ++id) plan.show.effects.push_back(id);
    plan.exit = {false, false, false, false};
    return plan;
}

// The share of pixels that are black (the low 24 bits zero).
inline double BlackShare(const Bitmap& bitmap) {
    if (bitmap.empty()) return 0;
    size_t black = 0;
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x) black += (bitmap.pixel(x, y) & 0xFFFFFF) == 0;
    return double(black) / (double(bitmap.width()) * bitmap.height());
}

// The threads this process has now.
inline int ThreadCount() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return -1;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    const DWORD self = GetCurrentProcessId();
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        count += entry.th32OwnerProcessID == self;
    CloseHandle(snapshot);
    return count;
}

inline bool GoneWithin(HWND window, DWORD milliseconds) {
    return PumpMessagesUntil([window] { return !IsWindow(window); }, milliseconds);
}

}  // namespace gd::test
