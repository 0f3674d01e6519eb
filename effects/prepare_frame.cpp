#include "effects/prepare_frame.h"

#include "common/text_trim.h"
#include "effects/backdrop.h"
#include "effects/caption_layout.h"
#include "effects/placement.h"
#include "effects/text_scale.h"
#include "raster/pixel.h"

namespace gd {

namespace {

// The caption (when captions are shown) and the banner over it, at the show's text DPI.
void DrawTexts(const SlideStage& stage, TextRenderer& text, Bitmap& target) {
    const ShowSettings& s = stage.settings();
    const int32_t dpi = TextDpi(s);
    if (s.show_captions)
        DrawInsetText(text, target, s.caption_text, s.caption_form, stage.client_rect(),
                      ScaledLength(kCaptionInset, dpi), CaptionFormat(s.caption_position),
                      ScaledFont(s.caption_font, dpi), s.caption_color);
    DrawInsetText(text, target, s.banner_text, s.banner_form, stage.client_rect(), ScaledLength(kBannerInset, dpi),
                  BannerFormat(s.banner_position), ScaledFont(s.banner_font, dpi), s.banner_color);
}

bool HasText(const ShowSettings& s) {
    return (s.show_captions && !TrimWhiteSpace(s.caption_text).empty()) || !TrimWhiteSpace(s.banner_text).empty();
}

// The texts of the frame as the drift's overlay: drawn over black and over white.
void TakeTextOverlay(const SlideStage& stage, TextRenderer& text, PictureDrift& drift) {
    Bitmap on_black(stage.width(), stage.height(), 0), on_white(stage.width(), stage.height(), 0x00FFFFFF);
    DrawTexts(stage, text, on_black);
    DrawTexts(stage, text, on_white);
    drift.TakeTextOverlay(on_black, on_white);
}

}  // namespace

void PrepareFrame(SlideStage& stage, const CxImage& image, TextRenderer* text, PictureDrift* drift) {
    ShowSettings& s = stage.settings();
    const int w0 = image.IsValid() ? image.GetWidth() : 0, h0 = image.IsValid() ? image.GetHeight() : 0;
    stage.placed = PlacePicture(stage.width(), stage.height(), w0, h0, s.auto_adjust_size, s.move_picture);
    if (drift) drift->Clear();
    const bool drifts = drift && s.pan_zoom && !s.demo_mode && w0 > 0 && h0 > 0;
    // A picture much taller than the screen pans across its whole width.
    if (drifts && PansOnStage(stage.width(), stage.height(), w0, h0)) stage.placed = stage.client_rect();

    Bitmap& frame = stage.frame();
    const Pixel background = PixelFromColorRef(s.background_color);
    if (s.backdrop == 1)
        DrawBackdrop(frame, image, background);
    else
        frame.Fill(background);
    const Rect& p = stage.placed;
    if (!p.is_empty()) {
        if (drifts) {
            drift->Prepare(image, p, s.pan_zoom_strength, s.smooth_scaling, background);
            drift->DrawAt(frame, 0);
        } else if (s.smooth_scaling) {
            image.DrawSmooth(frame, p, background);
        } else {
            image.Draw2(frame, p.left, p.top, p.width(), p.height());
        }
    }

    if (text) {
        DrawTexts(stage, *text, frame);
        if (drifts && drift->active() && HasText(s)) TakeTextOverlay(stage, *text, *drift);
    }
    stage.start_time = stage.clock().Now();
}

bool ShowFrameSource::ComposeNext(SlideStage& stage) {
    CxImage image;
    if (!LoadNextPicture(stage.settings(), pictures_, image)) return false;
    PrepareFrame(stage, image, text_, &drift_);
    return true;  // the decoded image goes as soon as the frame holds it
}

}  // namespace gd

namespace gd {

bool ShowFrameSource::DriftTo(SlideStage& stage, double t) {
    if (!drift_.active()) return false;
    drift_.DrawAt(stage.frame(), t);
    stage.Copy(drift_.placed().left, drift_.placed().top, drift_.placed().width(), drift_.placed().height());
    return true;
}

}  // namespace gd
