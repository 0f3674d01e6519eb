// The rules of the maker's ordered lists: enabled commands, the selection after a removal
// and after an arrow key, and which chosen files are new.

#include <gtest/gtest.h>

#include "maker/ui/list_rules.h"

namespace gd {
namespace {

TEST(ListCommands, FollowTheRowCountAndTheSelection) {
    // Only Add on an empty list; every selection command needs a selected row.
    EXPECT_EQ(ListCommands(0, -1), (ListCommandStates{true, false, false, false, false}));
    EXPECT_EQ(ListCommands(3, -1), (ListCommandStates{true, false, false, false, true}));
    // First, middle and last row; the only row can move neither way.
    EXPECT_EQ(ListCommands(3, 0), (ListCommandStates{true, true, false, true, true}));
    EXPECT_EQ(ListCommands(3, 1), (ListCommandStates{true, true, true, true, true}));
    EXPECT_EQ(ListCommands(3, 2), (ListCommandStates{true, true, true, false, true}));
    EXPECT_EQ(ListCommands(1, 0), (ListCommandStates{true, true, false, false, true}));
    // A selection left over from a longer list counts as none.
    EXPECT_EQ(ListCommands(2, 5), (ListCommandStates{true, false, false, false, true}));
}

TEST(ListSelection, StaysAtItsIndexAfterARemovalUnlessTheEndWent) {
    EXPECT_EQ(SelectionAfterRemoval(1, 3), 1);   // the next row moves up into it
    EXPECT_EQ(SelectionAfterRemoval(3, 3), 2);   // the last row went: the new last
    EXPECT_EQ(SelectionAfterRemoval(0, 0), -1);  // the only row went
}

TEST(ListSelection, FollowsTheSelectedFileWhenASaveDropsMissingOnes) {
    const std::vector<std::string> listed{"a", "b", "c", "d", "e"};
    // Nothing dropped: every row stays, the selection too.
    RowsAfterDrop same = RowsKeptAfterDrop(listed, listed, 3);
    EXPECT_EQ(same.kept, std::vector<bool>(5, true));
    EXPECT_EQ(same.selected, 3);
    // Rows before the selected one went: the selection moves up with its file.
    RowsAfterDrop before = RowsKeptAfterDrop(listed, {"b", "d", "e"}, 3);
    EXPECT_EQ(before.kept, (std::vector<bool>{false, true, false, true, true}));
    EXPECT_EQ(before.selected, 1);
    // The selected file went: the row after it takes its place, or the new last row.
    EXPECT_EQ(RowsKeptAfterDrop(listed, {"a", "b", "e"}, 2).selected, 2);
    EXPECT_EQ(RowsKeptAfterDrop(listed, {"a", "b"}, 4).selected, 1);
    EXPECT_EQ(RowsKeptAfterDrop(listed, {}, 1).selected, -1);
    // No selection stays none; a list holding one path twice drops the right copy.
    EXPECT_EQ(RowsKeptAfterDrop(listed, {"c"}, -1).selected, -1);
    EXPECT_EQ(RowsKeptAfterDrop({"x", "y", "x"}, {"y", "x"}, 2).kept, (std::vector<bool>{false, true, true}));
}

TEST(ListSelection, ArrowKeysStepAndStopAtTheEnds) {
    EXPECT_EQ(SelectionAfterKey(ListKey::kUp, 4, -1), 0);
    EXPECT_EQ(SelectionAfterKey(ListKey::kDown, 4, -1), 3);
    EXPECT_EQ(SelectionAfterKey(ListKey::kUp, 4, 2), 1);
    EXPECT_EQ(SelectionAfterKey(ListKey::kDown, 4, 2), 3);
    EXPECT_EQ(SelectionAfterKey(ListKey::kUp, 4, 0), 0);
    EXPECT_EQ(SelectionAfterKey(ListKey::kDown, 4, 3), 3);
    EXPECT_EQ(SelectionAfterKey(ListKey::kUp, 0, -1), -1);
    EXPECT_EQ(SelectionAfterKey(ListKey::kDown, 0, -1), -1);
}

TEST(PathsNotListed, KeepsTheChosenOrderAndDropsRepeats) {
    const std::vector<std::string> listed = {"C:\\Pics\\a.jpg", "C:\\Pics\\b.jpg"};
    const std::vector<std::string> chosen = {"C:\\Pics\\c.jpg", "C:\\Pics\\a.jpg", "C:\\Pics\\d.jpg",
                                             "C:\\Pics\\c.jpg"};
    EXPECT_EQ(PathsNotListed(listed, chosen), (std::vector<std::string>{"C:\\Pics\\c.jpg", "C:\\Pics\\d.jpg"}));
    EXPECT_TRUE(PathsNotListed(listed, {}).empty());
}

TEST(PathsNotListed, ComparesNamesAsTheFileSystemDoes) {
    const std::vector<std::string> listed = {"c:\\pics\\a.JPG", "C:\\Fotos\\\xc3\xa4pfel.jpg"};  // äpfel
    const std::vector<std::string> chosen = {"C:\\Pics\\A.jpg", "C:\\FOTOS\\\xc3\x84PFEL.JPG"};    // ÄPFEL
#ifdef _WIN32
    // Windows names ignore case, every letter's.
    EXPECT_TRUE(PathsNotListed(listed, chosen).empty());
#else
    // Linux names are their bytes: two photos.
    EXPECT_EQ(PathsNotListed(listed, chosen), chosen);
#endif
}

}  // namespace
}  // namespace gd
