#pragma once
// Whether the system runs a high-contrast theme, and the colours the program's own
// drawing takes from it. In such a theme the frames and grounds the program paints
// itself (the navigation pane, the samples' frames, the preview panes) take the system's
// colours, as the standard controls do; what the user chose (the pictures, a caption's or
// the banner's colours, the show's background colour) keeps its own colours.

#include <windows.h>

#include <optional>

namespace gd {

// True while a high-contrast theme is on (SPI_GETHIGHCONTRAST, HCF_HIGHCONTRASTON), or
// what a test or a screenshot run has set in its place.
bool HighContrastOn();
// Puts `on` in place of the system's answer (tests, screenshots); nullopt asks the
// system again.
void OverrideHighContrast(std::optional<bool> on);

// `usual` normally, the system colour `index` (COLOR_...) in a high-contrast theme.
COLORREF ThemedColor(COLORREF usual, int index);

// The ground of a pane that stands for a screen (a picture's preview, the effect
// demonstration): black, or the theme's window colour in high contrast.
COLORREF ScreenPaneGround();
// Answers WM_PAINT by filling what is to be painted with `color`.
void PaintGround(HWND window, COLORREF color);

// Whether text of colour `a` on ground `b` is hard to read: their contrast ratio
// (relative luminance, 1 to 21) is below 3.
double ContrastRatio(COLORREF a, COLORREF b);
bool HardToTellApart(COLORREF a, COLORREF b);

// Passes a change of the system's colours or theme from a top-level window to every
// window inside it (only top-level windows are told) and repaints them all.
void SpreadColorChange(HWND top);

}  // namespace gd
