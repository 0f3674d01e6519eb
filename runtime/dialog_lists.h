#pragma once
// The initial items of a dialog's drop-down lists, stored beside the dialog template as a
// resource of type RT_DIALOG_LISTS with the template's id: records of
//   control id (16 bits), message (16 bits, 0x0403 adds a list item), byte count (32 bits),
//   that many bytes (a NUL-terminated ANSI text),
// ended by a zero control id. All little-endian.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace gd {

struct DialogListItem {
    uint16_t control = 0;
    std::string text;
};

inline constexpr uint16_t kAddListItem = 0x0403;

// The items in their order; records of other messages are skipped. Reading stops at the
// end marker or at a record that runs past the end of the bytes.
std::vector<DialogListItem> ParseDialogLists(std::span<const uint8_t> bytes);

}  // namespace gd
