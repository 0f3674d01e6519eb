#pragma once
// The identifier of a resource type or entry: a 16-bit integer or a UTF-16 name. The
// directory lists names first, ordered case-insensitively, then integers ascending; the
// ordering here is that order, so a sorted container yields a valid directory.

#include <compare>
#include <cstdint>
#include <string>

namespace gd::res {

// Integer types of the platform used by this system.
constexpr uint16_t kTypeIcon = 3;
constexpr uint16_t kTypeGroupIcon = 14;
// Every entry this system writes uses English (United States).
constexpr uint16_t kLanguageEnUs = 0x0409;

struct ResourceName {
    bool is_text = false;
    uint16_t id = 0;
    std::u16string text;

    static ResourceName Id(uint16_t id) { return {false, id, {}}; }
    static ResourceName Text(std::u16string text) { return {true, 0, std::move(text)}; }
    bool is_id(uint16_t value) const { return !is_text && id == value; }
    // The name for people: the number, or the text (non-ASCII shown as '?').
    std::string ToString() const;
};

std::strong_ordering operator<=>(const ResourceName& a, const ResourceName& b);
inline bool operator==(const ResourceName& a, const ResourceName& b) { return (a <=> b) == 0; }

// Type, name and language: one leaf of the resource tree.
struct ResourceKey {
    ResourceName type;
    ResourceName name;
    uint16_t language = 0;

    friend std::strong_ordering operator<=>(const ResourceKey& a, const ResourceKey& b) {
        if (auto c = a.type <=> b.type; c != 0) return c;
        if (auto c = a.name <=> b.name; c != 0) return c;
        return a.language <=> b.language;
    }
    friend bool operator==(const ResourceKey& a, const ResourceKey& b) { return (a <=> b) == 0; }
};

}  // namespace gd::res
