#include "maker/win32/maker_pages.h"

#include "maker/win32/effect_view.h"
#include "maker/win32/music_view.h"
#include "maker/win32/picture_view.h"
#include "maker/win32/setting_view.h"

namespace gd {

namespace {

template <class View> std::unique_ptr<FramePage> Made(const PageContext& context) {
    auto view = std::make_unique<View>(context);
    if (!view->Create()) return nullptr;
    return view;
}

}  // namespace

std::unique_ptr<FramePage> MakeMakerPage(int page, const PageContext& context) {
    switch (page) {
    case kMusicPage: return Made<CMusicView>(context);
    case kSettingsPage: return Made<CSettingView>(context);
    case kPicturesPage: return Made<CPictureView>(context);
    case kEffectsPage: return Made<CEffectView>(context);
    default: return nullptr;
    }
}

}  // namespace gd
