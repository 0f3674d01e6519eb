#include "maker/ui/list_rules.h"

#include <unordered_set>

#include "maker/project/path_rules.h"

namespace gd {

ListCommandStates ListCommands(int count, int selected) {
    ListCommandStates states;
    const bool has_selection = selected >= 0 && selected < count;
    states.remove = has_selection;
    states.move_up = has_selection && selected > 0;
    states.move_down = has_selection && selected < count - 1;
    states.remove_all = count > 0;
    return states;
}

int SelectionAfterRemoval(int removed, int count) {
    if (count <= 0) return -1;
    return removed < count ? removed : count - 1;
}

int SelectionAfterKey(ListKey key, int count, int selected) {
    if (count <= 0) return -1;
    if (selected < 0 || selected >= count) return key == ListKey::kUp ? 0 : count - 1;
    if (key == ListKey::kUp) return selected > 0 ? selected - 1 : selected;
    return selected < count - 1 ? selected + 1 : selected;
}

std::vector<std::string> PathsNotListed(const std::vector<std::string>& listed, const std::vector<std::string>& chosen) {
    // One key per path, so a thousand chosen files against a thousand listed ones are
    // compared in linear time rather than a million times.
    std::unordered_set<std::string> seen;
    seen.reserve(listed.size() + chosen.size());
    for (const std::string& path : listed) seen.insert(PathKey(path));
    std::vector<std::string> fresh;
    for (const std::string& path : chosen)
        if (seen.insert(PathKey(path)).second) fresh.push_back(path);
    return fresh;
}

RowsAfterDrop RowsKeptAfterDrop(const std::vector<std::string>& listed, const std::vector<std::string>& kept,
                                int selected) {
    RowsAfterDrop rows;
    rows.kept.assign(listed.size(), false);
    // `kept` is an ordered part of `listed`: one pass pairs them up. A path listed twice
    // pairs with its first copy still unpaired.
    size_t next = 0;
    int left = 0;
    int removed_before = 0;
    for (size_t row = 0; row < listed.size(); ++row) {
        if (next < kept.size() && listed[row] == kept[next]) {
            rows.kept[row] = true;
            ++next;
            ++left;
        } else if (int(row) < selected) {
            ++removed_before;
        }
    }
    if (selected < 0 || selected >= int(listed.size())) return rows;
    rows.selected = SelectionAfterRemoval(selected - removed_before, left);
    return rows;
}

}  // namespace gd
