#pragma once
// CPicturePane: the Pictures page's preview, a black child window (the theme's window
// colour in high contrast) showing one picture scaled down to fit, never enlarged, centred. The picture is decoded once when it is
// loaded and kept drawn at the pane's size, so a repaint only copies it.

#include <windows.h>

#include <memory>
#include <string>

#include "raster/bitmap.h"
#include "win32/state_window.h"

namespace gd {

class DibSurface;

class CPicturePane {
public:
    CPicturePane();
    ~CPicturePane();
    CPicturePane(const CPicturePane&) = delete;
    CPicturePane& operator=(const CPicturePane&) = delete;

    // Makes the pane a visible child of `parent` over the inside of the control
    // `frame_id` (its one-pixel frame stays visible around it).
    bool Create(HINSTANCE instance, HWND parent, int frame_id);
    // Follows the frame after the parent was laid out again (another DPI).
    void Place();
    HWND hwnd() const { return window_; }

    // Shows the picture of `path`; false when it cannot be decoded (the pane is empty).
    bool Load(const std::string& path);
    // Empty, with no picture.
    void Clear();

    bool has_picture() const { return picture_width_ > 0; }
    int picture_width() const { return picture_width_; }
    int picture_height() const { return picture_height_; }
    const std::string& file() const { return file_; }
    // What the pane shows, for tests: its pixels at its size.
    Bitmap Shown() const;

private:
    template <class T, StateOwner> friend LRESULT CALLBACK StateWindowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    BOOL OnEraseBkgnd(HWND, HDC) { return TRUE; }  // the paint covers every pixel
    void OnPaint(HWND);
    void Render();

    HWND window_ = nullptr;
    HWND parent_ = nullptr;
    int frame_id_ = 0;
    std::string file_;
    int picture_width_ = 0;
    int picture_height_ = 0;
    // The decoded picture (kept to draw it again at another size) and the pane's image.
    struct Decoded;
    std::unique_ptr<Decoded> decoded_;
    std::unique_ptr<DibSurface> canvas_;
};

}  // namespace gd
