#pragma once
// What a screen reader learns of a window that draws itself (an owner-drawn button, a
// toolbar's buttons, a sample, a pane): its name, role and state, and those of its parts,
// through WM_GETOBJECT (Microsoft Active Accessibility, which UI Automation also reads).
// The system's own object for the window answers everything else: where it is, its
// parent, its neighbours.

#include <windows.h>
#include <oleacc.h>

#include <functional>
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
    virtual RECT Bounds(long /*child*/) const { return RECT{}; }
    virtual std::wstring DefaultAction(long /*child*/) const { return {}; }
    virtual void DoDefaultAction(long /*child*/) const {}
};

// Answers WM_GETOBJECT for `window` from `model` until the window is destroyed.
void MakeAccessible(HWND window, std::unique_ptr<AccessibleModel> model);

// What a screen reader should hear of a window the system describes well but cannot
// name: an entry field or a list whose label is not the control before it, a sample,
// a pane of the program's own class.
struct AccessibleLabel {
    std::wstring name;
    // ROLE_SYSTEM_...; 0 keeps the system's role and state. A window of the program's own
    // class gives one (the system calls it a "client").
    long role = 0;
    // What it shows now (a sample's text, a colour); empty keeps the system's value.
    std::function<std::wstring()> value;
};

// Answers WM_GETOBJECT for `window` with the system's object, named and described by
// `label`, until the window is destroyed; a second call replaces the label.
void LabelForScreenReaders(HWND window, AccessibleLabel label);

// The text of a label as a name: without its "&" marks, the spaces around it and a
// closing colon.
std::wstring LabelAsName(const std::wstring& text);
// A colour as a screen reader says it: "red 16, green 32, blue 64".
std::wstring ColorAsWords(COLORREF color);
// The window's text as a name.
std::wstring AccessibleText(HWND window);

}  // namespace gd
