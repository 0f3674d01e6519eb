#pragma once
// Names for screen readers of the controls that show no text of their own: an entry
// field, a drop-down list, a list or a track bar is named by the label before it (as a
// screen reader would guess, but said outright so every reader hears the same), and a
// page gives the others their names itself.

#include <windows.h>

#include <span>
#include <string>

namespace gd {

struct ControlName {
    int id;
    const wchar_t* name;
};

// Names each such control of `dialog` after the label or group box just before it, and
// the controls of `names` as given (those win).
void NameControlsForScreenReaders(HWND dialog, std::span<const ControlName> names = {});

}  // namespace gd
