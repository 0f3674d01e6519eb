#pragma once
// The two forms of the texts a screensaver draws; a header of its own so the platform's
// text code can name it without the renderer interface (whose DrawText the platform's
// headers would rename).

#include <cstdint>

namespace gd {

// How a text and its font's face name are held.
enum class TextForm : uint8_t {
    // Single-byte text in the platform's ANSI code page (Western on Linux): the texts of
    // a screensaver made before they were carried in Unicode, drawn exactly as then (on
    // Windows with the ANSI font and text functions).
    kAnsi,
    // UTF-8, drawn with the platform's wide text functions; where the font lacks a
    // character, the platform's font fallback draws it.
    kUtf8,
};

}  // namespace gd
