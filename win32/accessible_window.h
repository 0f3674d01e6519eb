#pragma once
// What a screen reader learns of a window that draws itself (an owner-drawn button, a
// toolbar's buttons): its name, role and state, and those of its parts, through
// WM_GETOBJECT (Microsoft Active Accessibility, which UI Automation also reads). The
// system's own object for the window answers everything else: where it is, its parent,
// its neighbours.

#include <windows.h>
#include <oleacc.h>

#include <memory>
#include <string>

namespace gd {

// The answers for a window (child 0) and its parts (1..Count()).
class AccessibleModel {
public:
    virtual ~AccessibleModel() = default;
    virtual long Count() const { return 0; }
    virtual std::wstring Name(long child) const = 0;
    // ROLE_SYSTEM_...
    virtual long Role(long child) const = 0;
    // STATE_SYSTEM_... beyond what the window's style says (focusable, focused,
    // unavailable, invisible are added for child 0 from the window itself).
    virtual long State(long child) const = 0;
    // A part's rectangle in the window's client coordinates.
    virtual RECT Bounds(long child) const { return RECT{}; }
    virtual std::wstring DefaultAction(long child) const { return {}; }
    virtual void DoDefaultAction(long child) const {}
};

// Answers WM_GETOBJECT for `window` from `model` until the window is destroyed.
void MakeAccessible(HWND window, std::unique_ptr<AccessibleModel> model);

// The object WM_GETOBJECT hands out for a window made accessible (the caller releases
// it); nullptr for any other window. Tests read it where the system cannot pass the
// object between apartments.
IAccessible* AccessibleObjectOf(HWND window);

// The window's text without its "&" marks, as a name.
std::wstring AccessibleText(HWND window);

}  // namespace gd
