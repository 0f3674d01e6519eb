#pragma once
// Composes the complete next screen into the stage's frame, and the frame source the
// show uses: LoadNextPicture from a picture source followed by PrepareFrame.

#include "effects/picture_drift.h"
#include "effects/picture_source.h"
#include "effects/slide_stage.h"
#include "imaging/cx_image.h"
#include "raster/text_renderer.h"

namespace gd {

// Places the picture (placement.h), fills the whole frame with the background colour,
// draws the picture scaled into its place - without smoothing (destination offset (dx, dy)
// takes source pixel (floor(dx x w0 / w), floor(dy x h0 / h))), or with smooth scaling
// when the show asks for it (CxImage::DrawSmooth) - draws the caption (when
// captions are shown) and then the banner over it, and finally takes the start time.
// Without a text renderer no text is drawn.
//
// With the backdrop (nBackdrop 1) the frame is first filled with a blurred, darkened copy
// of the picture instead of the colour. With pan and zoom (given a `drift` to keep it), a
// picture much taller than the screen covers the screen's width and the drift is
// prepared; the frame then holds its first picture.
void PrepareFrame(SlideStage& stage, const CxImage& image, TextRenderer* text, PictureDrift* drift = nullptr);

class ShowFrameSource : public FrameSource {
public:
    ShowFrameSource(PictureSource& pictures, TextRenderer* text) : pictures_(pictures), text_(text) {}
    bool ComposeNext(SlideStage& stage) override;
    bool DriftTo(SlideStage& stage, double t) override;

private:
    PictureSource& pictures_;
    TextRenderer* text_;
    PictureDrift drift_;  // the picture composed last, while pan and zoom is on
};

}  // namespace gd
