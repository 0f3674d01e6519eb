#pragma once
// A static control painted all over with one colour, the colour a button next to it
// chooses. The colour (COLORREF)-1 stands for the platform's button-face colour.

#include <windows.h>

namespace gd {

inline constexpr COLORREF kButtonFaceSwatch = COLORREF(-1);

class CColorSwatch {
public:
    CColorSwatch() = default;
    ~CColorSwatch();
    CColorSwatch(const CColorSwatch&) = delete;
    CColorSwatch& operator=(const CColorSwatch&) = delete;

    // Takes over a static control (subclassing it); false when it cannot.
    bool Attach(HWND control);
    HWND hwnd() const { return control_; }

    // Sets the colour and repaints; any value but kButtonFaceSwatch is used as is.
    void SetColor(COLORREF color);
    COLORREF color() const { return color_; }
    // The colour painted: the button-face colour for kButtonFaceSwatch.
    COLORREF ShownColor() const;

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                         DWORD_PTR self);
    void Detach();
    void Paint();

    HWND control_ = nullptr;
    COLORREF color_ = kButtonFaceSwatch;
};

}  // namespace gd
