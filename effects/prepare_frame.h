#pragma once
// Composes the complete next screen into the stage's frame, and the frame source the
// show uses: LoadNextPicture from a picture source followed by PrepareFrame.

#include "effects/picture_source.h"
#include "effects/slide_stage.h"
#include "imaging/cx_image.h"
#include "raster/text_renderer.h"

namespace gd {

// Places the picture (placement.h), fills the whole frame with the background colour,
// draws the picture scaled into its place without smoothing (destination offset (dx, dy)
// takes source pixel (floor(dx x w0 / w), floor(dy x h0 / h))), draws the caption (when
// captions are shown) and then the banner over it, and finally takes the start time.
// Without a text renderer no text is drawn.
void PrepareFrame(SlideStage& stage, const CxImage& image, TextRenderer* text);

class ShowFrameSource : public FrameSource {
public:
    ShowFrameSource(PictureSource& pictures, TextRenderer* text) : pictures_(pictures), text_(text) {}
    bool ComposeNext(SlideStage& stage) override;

private:
    PictureSource& pictures_;
    TextRenderer* text_;
};

}  // namespace gd
