#include "runtime/dialog_lists.h"

#include <cstring>

#include "common/byte_io.h"

namespace gd {

std::vector<DialogListItem> ParseDialogLists(std::span<const uint8_t> bytes) {
    std::vector<DialogListItem> items;
    size_t at = 0;
    while (at + 2 <= bytes.size()) {
        uint16_t control = ReadU16(&bytes[at]);
        if (control == 0 || at + 8 > bytes.size()) break;
        uint16_t message = ReadU16(&bytes[at + 2]);
        uint32_t length = ReadU32(&bytes[at + 4]);
        at += 8;
        if (length > bytes.size() - at) break;
        if (message == kAddListItem) {
            const char* text = reinterpret_cast<const char*>(bytes.data() + at);
            items.push_back({control, std::string(text, strnlen(text, length))});
        }
        at += length;
    }
    return items;
}

}  // namespace gd
