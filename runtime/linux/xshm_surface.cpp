#include "runtime/linux/xshm_surface.h"

#include "runtime/linux/x11_errors.h"

#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstdlib>
#include <cstring>

namespace gd {

struct XShmSurface::Image {
    XImage* image = nullptr;
    XShmSegmentInfo shm{};
    bool shm_attached = false;
    Pixel* pixels = nullptr;  // the shared segment, or memory of our own
    std::unique_ptr<Pixel[]> own;
};

bool VisualTakesBitmapPixels(Display* display, const X11WindowInfo& window, std::string* why) {
    Visual* v = window.visual;
    bool ok = v && (window.depth == 24 || window.depth == 32) && v->red_mask == 0xFF0000 && v->green_mask == 0xFF00 &&
              v->blue_mask == 0xFF;
    if (ok) {
        // 32 bits per pixel in images of that depth, in the client's byte order.
        int count = 0;
        XPixmapFormatValues* formats = XListPixmapFormats(display, &count);
        ok = false;
        for (int i = 0; i < count; ++i)
            if (formats[i].depth == window.depth) ok = formats[i].bits_per_pixel == 32;
        if (formats) XFree(formats);
    }
    if (!ok && why) *why = "the window's visual is not 24-bit true colour with 32 bits per pixel";
    return ok;
}

std::unique_ptr<XShmSurface> XShmSurface::Create(const char* display_name, const X11WindowInfo& window,
                                                 std::string* why, bool use_shm) {
    std::unique_ptr<XShmSurface> s(new XShmSurface());
    s->display_ = XOpenDisplay(display_name);
    if (!s->display_) {
        if (why) *why = "cannot open the display";
        return nullptr;
    }
    s->window_ = window.window;
    s->width_ = window.width;
    s->height_ = window.height;
    s->gc_ = XCreateGC(s->display_, window.window, 0, nullptr);
    s->image_ = std::make_unique<Image>();
    Image& im = *s->image_;
    if (use_shm && XShmQueryExtension(s->display_)) {
        im.image = XShmCreateImage(s->display_, window.visual, unsigned(window.depth), ZPixmap, nullptr, &im.shm,
                                   unsigned(window.width), unsigned(window.height));
        if (im.image) {
            im.shm.shmid = shmget(IPC_PRIVATE, size_t(im.image->bytes_per_line) * im.image->height, IPC_CREAT | 0600);
            if (im.shm.shmid >= 0) {
                im.shm.shmaddr = im.image->data = static_cast<char*>(shmat(im.shm.shmid, nullptr, 0));
                if (im.shm.shmaddr != reinterpret_cast<char*>(-1)) {
                    im.shm.readOnly = False;
                    // A refusal (a remote display that claims the extension) comes
                    // as an X error, which the program's handler counts.
                    const uint64_t errors = X11ErrorCount();
                    XShmAttach(s->display_, &im.shm);
                    XSync(s->display_, False);
                    im.shm_attached = X11ErrorCount() == errors;
                }
                // Marked for removal now: it goes when the last process detaches, even
                // if this one is killed.
                shmctl(im.shm.shmid, IPC_RMID, nullptr);
            }
            if (im.shm_attached) {
                im.pixels = reinterpret_cast<Pixel*>(im.shm.shmaddr);
            } else {
                if (im.shm.shmaddr && im.shm.shmaddr != reinterpret_cast<char*>(-1)) shmdt(im.shm.shmaddr);
                im.image->data = nullptr;
                XDestroyImage(im.image);
                im.image = nullptr;
            }
        }
    }
    if (!im.image) {
        im.own.reset(new Pixel[size_t(window.width) * size_t(window.height)]());
        im.pixels = im.own.get();
        im.image = XCreateImage(s->display_, window.visual, unsigned(window.depth), ZPixmap, 0,
                                reinterpret_cast<char*>(im.pixels), unsigned(window.width), unsigned(window.height), 32,
                                window.width * 4);
        if (!im.image) {
            if (why) *why = "cannot make an image for the window";
            return nullptr;
        }
    }
    std::memset(im.pixels, 0, size_t(im.image->bytes_per_line) * size_t(window.height));
    s->text_ = std::make_unique<FreeTypeTextRenderer>();
    return s;
}

XShmSurface::~XShmSurface() {
    if (image_ && image_->image) {
        if (image_->shm_attached) {
            XShmDetach(display_, &image_->shm);
            XSync(display_, False);
            shmdt(image_->shm.shmaddr);
        }
        image_->image->data = nullptr;  // not Xlib's to free
        XDestroyImage(image_->image);
    }
    if (gc_) XFreeGC(display_, gc_);
    if (display_) XCloseDisplay(display_);
}

bool XShmSurface::uses_shm() const { return image_ && image_->shm_attached; }

Bitmap XShmSurface::WindowBuffer() {
    return Bitmap::View(image_->pixels, width_, height_, image_->image->bytes_per_line / 4);
}

void XShmSurface::PutLocked(const Rect& area) {
    Rect r = area.intersected({0, 0, width_, height_});
    if (r.is_empty()) return;
    if (image_->shm_attached) {
        XShmPutImage(display_, window_, gc_, image_->image, r.left, r.top, r.left, r.top, unsigned(r.width()),
                     unsigned(r.height()), False);
    } else {
        XPutImage(display_, window_, gc_, image_->image, r.left, r.top, r.left, r.top, unsigned(r.width()),
                  unsigned(r.height()));
    }
}

void XShmSurface::Present(const Bitmap&, std::span<const Rect> dirty) {
    std::lock_guard lock(mutex_);
    for (const Rect& r : dirty) PutLocked(r);
    // The server has read the shared pixels before the show draws into them again.
    XSync(display_, False);
    if (first_present_) {
        first_present_();
        first_present_ = nullptr;
    }
}

void XShmSurface::Repaint(const Rect& area) {
    std::lock_guard lock(mutex_);
    PutLocked(area);
    XSync(display_, False);
}

}  // namespace gd
