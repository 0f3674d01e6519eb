#include "maker/win32/bitmap_strip.h"

#include <cstdint>

namespace gd {

namespace {

// The strip scaled so that each image is `size` pixels high, with `count` images.
HBITMAP LoadStripAt(HINSTANCE instance, int size, int strip_id, int strip_2x_id, int base_size, int* count) {
    int source_id = size > base_size ? strip_2x_id : strip_id;
    int source_size = size > base_size ? base_size * 2 : base_size;
    auto strip = static_cast<HBITMAP>(LoadImageW(instance, MAKEINTRESOURCEW(source_id), IMAGE_BITMAP, 0, 0,
                                                 LR_CREATEDIBSECTION));
    if (!strip) return nullptr;
    BITMAP info{};
    GetObjectW(strip, sizeof info, &info);
    *count = info.bmWidth / source_size;
    if (size == source_size) return strip;
    // Nearest-neighbour scaling keeps the transparent black exact.
    HDC screen = GetDC(nullptr);
    HDC from = CreateCompatibleDC(screen);
    HDC to = CreateCompatibleDC(screen);
    HBITMAP scaled = CreateCompatibleBitmap(screen, size * *count, size);
    HGDIOBJ old_from = SelectObject(from, strip);
    HGDIOBJ old_to = SelectObject(to, scaled);
    SetStretchBltMode(to, COLORONCOLOR);
    StretchBlt(to, 0, 0, size * *count, size, from, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    SelectObject(from, old_from);
    SelectObject(to, old_to);
    DeleteDC(from);
    DeleteDC(to);
    ReleaseDC(nullptr, screen);
    DeleteObject(strip);
    return scaled;
}

}  // namespace

HIMAGELIST MakeStripImageList(HINSTANCE instance, int size, int strip_id, int strip_2x_id, int base_size) {
    int count = 0;
    HBITMAP strip = LoadStripAt(instance, size, strip_id, strip_2x_id, base_size, &count);
    if (!strip) return nullptr;
    HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, count, 0);
    ImageList_AddMasked(list, strip, RGB(0, 0, 0));
    DeleteObject(strip);
    return list;
}

HBITMAP MakeStripImage(HINSTANCE instance, int size, int strip_id, int strip_2x_id, int base_size, int index) {
    int count = 0;
    HBITMAP strip = LoadStripAt(instance, size, strip_id, strip_2x_id, base_size, &count);
    if (!strip) return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP image = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC from = CreateCompatibleDC(screen);
    HDC to = CreateCompatibleDC(screen);
    HGDIOBJ old_from = SelectObject(from, strip);
    HGDIOBJ old_to = SelectObject(to, image);
    BitBlt(to, 0, 0, size, size, from, index * size, 0, SRCCOPY);
    GdiFlush();
    SelectObject(from, old_from);
    SelectObject(to, old_to);
    DeleteDC(from);
    DeleteDC(to);
    ReleaseDC(nullptr, screen);
    DeleteObject(strip);
    if (!image) return nullptr;
    // Black becomes transparent; everything else opaque (premultiplied alpha).
    auto* pixel = static_cast<uint32_t*>(bits);
    for (int i = 0; i < size * size; ++i) pixel[i] = (pixel[i] & 0xFFFFFF) == 0 ? 0 : pixel[i] | 0xFF000000u;
    return image;
}

}  // namespace gd
