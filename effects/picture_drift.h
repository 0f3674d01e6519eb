#pragma once
// Pan and zoom: the picture drifts slowly during its pause. It zooms from its placed size
// to (100 + strength) percent towards a point drawn at random, which stays where it is on
// the screen, so the picture always fills its placed rectangle and never uncovers the
// background behind it; a picture much taller than the screen is instead shown across
// the screen's whole width and pans from its top to its bottom. Captions and the banner
// stay where they are, over the moving picture.
//
// Preparing keeps the picture at the largest size the drift shows it (so every frame
// only resamples a little) and, when there is text, the text as an overlay: drawn once
// over black and once over white, which gives each text pixel's colour and coverage
// exactly, whatever the text renderer blends. Each frame interpolates the kept picture
// (bilinear: the drift never shrinks it by more than its zoom, so nothing is lost) and
// allocates nothing.

#include <cstdint>
#include <vector>

#include "effects/show_settings.h"
#include "imaging/cx_image.h"
#include "raster/bitmap.h"
#include "raster/resample.h"

namespace gd {

// Whether a w0 x h0 picture on a W x H stage pans instead of zooming: fitted to the
// stage's width it would be at least kPanRatio stage heights tall.
constexpr double kPanRatio = 1.5;
bool PansOnStage(int stage_width, int stage_height, int picture_width, int picture_height);

class PictureDrift {
public:
    // Prepares the drift of `image`, placed at `placed` on a W x H stage: for a picture
    // that pans, `placed` must be the whole stage. Draws the zoom's point from the calling
    // thread's generator. `smooth` scales with filtering (the show's smooth scaling).
    void Prepare(const CxImage& image, const Rect& placed, int strength_percent, bool smooth, Pixel under);
    // The text over the picture: `with_text_on_black` and `_on_white` are the frame's
    // texts drawn over black and over white. Only pixels inside the placed rectangle are
    // kept (elsewhere the frame never changes).
    void TakeTextOverlay(const Bitmap& with_text_on_black, const Bitmap& with_text_on_white);
    void Clear();

    bool active() const { return !picture_.empty(); }
    bool pans() const { return pan_; }
    const Rect& placed() const { return placed_; }
    // The part of the kept picture shown at progress t (0 at the start of the pause, 1 at
    // its end), in the kept picture's pixels.
    SourceWindow WindowAt(double t) const;
    // Draws the picture at progress t into its placed rectangle of `frame`, then the text.
    void DrawAt(Bitmap& frame, double t);

private:
    struct TextPixel {
        uint32_t x, y;
        Pixel on_black;
        Pixel on_white;
    };

    Bitmap picture_;
    Rect placed_;
    bool pan_ = false;
    double zoom_ = 1.0;  // the largest zoom, 1 + strength
    double anchor_x_ = 0, anchor_y_ = 0;  // the point zoomed towards, in the kept picture
    std::vector<TextPixel> text_;
    BilinearScratch scratch_;  // kept from frame to frame
};

}  // namespace gd
