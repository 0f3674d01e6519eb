#pragma once
// Everything the maker's window reaches outside itself: the platform's dialogs and
// message boxes, the per-user settings, the address opener, and the build's encoder and
// resource writer. The program passes the real ones; tests pass their own.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "maker/project/build_hooks.h"
#include "maker/ui/user_settings.h"
#include "maker/win32/file_prompts.h"
#include "maker/win32/font_prompt.h"
#include "win32/prompter.h"

namespace gd {

class MediaPlayer;
class CScreenSaverDoc;
class FramePage;
struct PageContext;

// Posted to the maker's window when a full-screen preview has ended.
inline constexpr UINT kPreviewEndedMessage = WM_APP + 0x50;

struct MakerServices {
    HINSTANCE instance = nullptr;
    // The maker's folder (UTF-8): data\, icons\, help\ and app.ini live there.
    std::string program_folder;
    Prompter* prompter = nullptr;
    FilePrompts* files = nullptr;
    UserSettings* settings = nullptr;
    // The font dialog with its colour part (ChooseScreenFont); tests answer it themselves.
    std::function<std::optional<FontChoice>(HWND owner, const LogFont& font, ColorRef color)> choose_font;
    // Opens a web or "mailto:" address, or a local file, with the desktop; above 32 is
    // success.
    std::function<intptr_t(const std::wstring& address)> open_address;

    // The build: without an encoder or a resource writer Make SCR says it cannot make.
    const PictureEncoder* encoder = nullptr;
    ResourceTargetFactory* resources = nullptr;
    ScreensaverPlatform* screensaver_platform = nullptr;
    int encode_threads = 2;

    // The full-screen preview of the open project; it posts kPreviewEndedMessage to
    // `frame` when it ends. Unset: no preview (tests).
    std::function<void(HWND frame, CScreenSaverDoc& doc)> start_preview;
    // The media layer of the Music page's player; unset: the media control interface.
    std::function<std::unique_ptr<MediaPlayer>()> make_audition_media;
    // The pages after General (2 to 5); unset: the maker's own (MakeMakerPage).
    std::function<std::unique_ptr<FramePage>(int page, const PageContext& context)> make_page;
    // The colour dialog, fully open (ChooseColorFullyOpen); tests answer it themselves.
    std::function<std::optional<ColorRef>(HWND owner, ColorRef initial)> choose_color;
};

}  // namespace gd
