#include "effects/prepare_frame.h"

#include "effects/caption_layout.h"
#include "effects/placement.h"
#include "raster/pixel.h"

namespace gd {

void PrepareFrame(SlideStage& stage, const CxImage& image, TextRenderer* text) {
    ShowSettings& s = stage.settings();
    const int w0 = image.IsValid() ? image.GetWidth() : 0, h0 = image.IsValid() ? image.GetHeight() : 0;
    stage.placed = PlacePicture(stage.width(), stage.height(), w0, h0, s.auto_adjust_size, s.move_picture);

    Bitmap& frame = stage.frame();
    frame.Fill(PixelFromColorRef(s.background_color));
    const Rect& p = stage.placed;
    if (!p.is_empty()) image.Draw2(frame, p.left, p.top, p.width(), p.height());

    if (text) {
        if (s.show_captions)
            DrawInsetText(*text, frame, s.caption_text, stage.client_rect(), kCaptionInset,
                          CaptionFormat(s.caption_position), s.caption_font, s.caption_color);
        DrawInsetText(*text, frame, s.banner_text, stage.client_rect(), kBannerInset, BannerFormat(s.banner_position),
                      s.banner_font, s.banner_color);
    }
    stage.start_time = stage.clock().Now();
}

bool ShowFrameSource::ComposeNext(SlideStage& stage) {
    CxImage image;
    if (!LoadNextPicture(stage.settings(), pictures_, image)) return false;
    PrepareFrame(stage, image, text_);
    return true;  // the decoded image goes as soon as the frame holds it
}

}  // namespace gd
