#include "resources/resource_name.h"

#include <algorithm>

namespace gd::res {

namespace {

// The platform compares resource names by upper-casing them; for the names that occur in
// resource scripts (ASCII) this is the same order.
char16_t Upper(char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - u'a' + u'A') : c; }

}  // namespace

std::string ResourceName::ToString() const {
    if (!is_text) return std::to_string(id);
    std::string out;
    for (char16_t c : text) out.push_back(c >= 0x20 && c < 0x7f ? char(c) : '?');
    return out;
}

std::strong_ordering operator<=>(const ResourceName& a, const ResourceName& b) {
    if (a.is_text != b.is_text) return a.is_text ? std::strong_ordering::less : std::strong_ordering::greater;
    if (!a.is_text) return a.id <=> b.id;
    size_t n = std::min(a.text.size(), b.text.size());
    for (size_t i = 0; i < n; ++i) {
        char16_t x = Upper(a.text[i]), y = Upper(b.text[i]);
        if (x != y) return x <=> y;
    }
    return a.text.size() <=> b.text.size();
}

}  // namespace gd::res
