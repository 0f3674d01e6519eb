#include "maker/win32/picture_preview.h"

#include "imaging/cx_image.h"
#include "maker/ui/picture_fit.h"
#include "win32/dib_surface.h"

namespace gd {

Rect CPicturePreview::FitRect(int width, int height, int box_width, int box_height) {
    return FitPictureInBox(width, height, box_width, box_height);
}

void CPicturePreview::Draw(HDC dc, int left, int top, int width, int height) {
    if (path_.empty()) return;
    CxImage image;
    if (!image.Load(path_)) return;
    Rect fit = FitRect(image.GetWidth(), image.GetHeight(), width, height);
    if (fit.is_empty()) return;
    DibSurface surface(fit.width(), fit.height());
    if (!surface.dc()) return;
    // Transparent parts of a picture show the box's grey.
    BitBlt(surface.dc(), 0, 0, fit.width(), fit.height(), dc, left + fit.left, top + fit.top, SRCCOPY);
    Bitmap view = surface.View();
    image.Draw2(view, 0, 0, fit.width(), fit.height());
    BitBlt(dc, left + fit.left, top + fit.top, fit.width(), fit.height(), surface.dc(), 0, 0, SRCCOPY);
}

}  // namespace gd
