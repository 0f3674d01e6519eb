#pragma once
// The rules of the maker's ordered file lists (the pictures and the music of a project):
// which of the list's commands apply, where the selection goes after a removal or an
// arrow key, and which chosen files are new to the list. Free of any window system; the
// list pages bind them to their controls, buttons and context menus.

#include <string>
#include <vector>

namespace gd {

// The commands of a list page, enabled or not for a list of `count` rows with row
// `selected` selected (-1: none). Adding is always possible.
struct ListCommandStates {
    bool add = true;
    bool remove = false;
    bool move_up = false;
    bool move_down = false;
    bool remove_all = false;

    friend bool operator==(const ListCommandStates&, const ListCommandStates&) = default;
};
ListCommandStates ListCommands(int count, int selected);

// The row selected after row `removed` was taken out, leaving `count` rows: the same
// index, or the new last row when the last one went, or -1 when none is left.
int SelectionAfterRemoval(int removed, int count);

// The row an arrow key selects: Up the previous (the first when nothing is selected),
// Down the next (the last when nothing is selected); no change at either end. -1 for an
// empty list.
enum class ListKey { kUp, kDown };
int SelectionAfterKey(ListKey key, int count, int selected);

// The chosen paths that the list does not hold yet, in the order chosen, each once. Paths
// are the same when the file system takes them for the same file (SamePath: letter case
// does not count on Windows).
std::vector<std::string> PathsNotListed(const std::vector<std::string>& listed, const std::vector<std::string>& chosen);

// Saving a project drops the files that are gone and keeps the others in their order, so
// `kept` is `listed` with some paths taken out. Which rows stay (kept[i] for row i), and
// where the selection goes: the same file when it stayed, else the row a removal of it
// would select.
struct RowsAfterDrop {
    std::vector<bool> kept;
    int selected = -1;
};
RowsAfterDrop RowsKeptAfterDrop(const std::vector<std::string>& listed, const std::vector<std::string>& kept,
                                int selected);

}  // namespace gd
