#pragma once
// A static text control turned into a hyperlink: drawn in a link colour on its parent's
// background, underlined as its mode says, with a hand cursor and a tooltip that shows
// its address. A click opens the address; success marks the label visited, failure
// beeps and says why through the prompter.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "win32/prompter.h"

namespace gd {

enum class UnderlineMode {
    kWhileHovered,  // the initial mode
    kAlways,
    kNever,
};

inline constexpr COLORREF kLinkColor = RGB(0, 0, 238);
inline constexpr COLORREF kVisitedLinkColor = RGB(85, 26, 139);
inline constexpr COLORREF kHoveredLinkColor = RGB(255, 0, 0);

class CLinkLabel {
public:
    // Opens an address with a show command; above 32 is success (see OpenWebAddress).
    using Opener = std::function<intptr_t(const std::wstring& address, int show)>;

    CLinkLabel();
    ~CLinkLabel();
    CLinkLabel(const CLinkLabel&) = delete;
    CLinkLabel& operator=(const CLinkLabel&) = delete;

    // Takes over a static control (subclassing it); false when it cannot. The label
    // gives the control up when either of them goes.
    bool Attach(HWND control);
    HWND hwnd() const { return control_; }

    void SetAddress(std::wstring address);
    const std::wstring& address() const { return address_; }
    void SetUnderline(UnderlineMode mode);
    void SetPrompter(Prompter& prompter) { prompter_ = &prompter; }
    void SetOpener(Opener opener) { opener_ = std::move(opener); }

    // What a click does. True when the address opened.
    bool Open();

    bool visited() const { return visited_; }
    bool hovered() const { return hovered_; }
    COLORREF TextColor() const;
    bool DrawsUnderlined() const;

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                         DWORD_PTR self);
    LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
    void Detach();
    void Paint();
    void SetHovered(bool hovered);
    void CheckCursorLeft();
    HFONT UnderlinedFont(HFONT base);
    void DropFonts();
    void UpdateTooltip();

    HWND control_ = nullptr;
    HWND tooltip_ = nullptr;
    std::wstring address_;
    UnderlineMode underline_ = UnderlineMode::kWhileHovered;
    Prompter* prompter_;
    Opener opener_;
    bool visited_ = false;
    bool hovered_ = false;
    bool pressed_ = false;
    HFONT underlined_ = nullptr;
    HFONT underlined_base_ = nullptr;
};

}  // namespace gd
