#include "maker/win32/bitmap_strip.h"

#include <cstdint>

namespace gd {

namespace {

// Copies (stretching when the sizes differ) a part of one bitmap into another.
void CopyBitmap(HBITMAP from, int from_x, int from_width, int from_height, HBITMAP to, int to_width, int to_height) {
    HDC screen = GetDC(nullptr);
    HDC source = CreateCompatibleDC(screen);
    HDC target = CreateCompatibleDC(screen);
    HGDIOBJ old_source = SelectObject(source, from);
    HGDIOBJ old_target = SelectObject(target, to);
    // Nearest-neighbour scaling keeps the transparent black exact.
    SetStretchBltMode(target, COLORONCOLOR);
    StretchBlt(target, 0, 0, to_width, to_height, source, from_x, 0, from_width, from_height, SRCCOPY);
    GdiFlush();
    SelectObject(source, old_source);
    SelectObject(target, old_target);
    DeleteDC(source);
    DeleteDC(target);
    ReleaseDC(nullptr, screen);
}

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
    HDC screen = GetDC(nullptr);
    HBITMAP scaled = CreateCompatibleBitmap(screen, size * *count, size);
    ReleaseDC(nullptr, screen);
    CopyBitmap(strip, 0, info.bmWidth, info.bmHeight, scaled, size * *count, size);
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
    HBITMAP image = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (image) CopyBitmap(strip, index * size, size, size, image, size, size);
    DeleteObject(strip);
    if (!image) return nullptr;
    // Black becomes transparent; everything else opaque (premultiplied alpha).
    auto* pixel = static_cast<uint32_t*>(bits);
    for (int i = 0; i < size * size; ++i) pixel[i] = (pixel[i] & 0xFFFFFF) == 0 ? 0 : pixel[i] | 0xFF000000u;
    return image;
}

}  // namespace gd
