#pragma once
// Files and folders dropped from the desktop onto one of the maker's lists, turned into
// the files that list takes: each dropped file in the order dropped, each dropped folder
// as its files in name order (sub-folders expanded where their names fall). Files of a
// type the list does not take are set aside, so the page can name them all in one
// message; a folder's housekeeping files (Thumbs.db, desktop.ini, .DS_Store) are passed
// over without a word.

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "maker/project/input_problems.h"

namespace gd {

// The extensions a list takes, upper case without the dot ("JPG", "PNG").
class FileTypeSet {
public:
    FileTypeSet(std::initializer_list<const char*> extensions);
    explicit FileTypeSet(const std::vector<std::string>& extensions);
    bool Contains(std::string_view path) const;

private:
    std::vector<std::string> extensions_;
};

struct DroppedFiles {
    std::vector<std::string> files;    // the files the list takes, in order
    std::vector<std::string> skipped;  // files of other types, in order
};

// Expands the dropped paths (files or folders). A path that is neither a readable folder
// nor of a taken type is skipped, whether it exists or not: adding it would report it.
DroppedFiles ExpandDroppedFiles(const std::vector<std::string>& dropped, const FileTypeSet& types);

// Whether `a` comes before `b` in name order: letters without regard to case, and runs of
// digits by their value, so "IMG_9" comes before "IMG_10".
bool NameOrderLess(std::string_view a, std::string_view b);

// The one message about skipped files: what they are and what the list takes, e.g.
// `accepted` "Only BMP, JPG, GIF, PNG, PCX, TIF and TGA pictures can be added.". Long
// lists name the first few and count the rest. Empty for no skipped files.
std::string SkippedFilesMessage(const std::vector<std::string>& skipped, std::string_view accepted);

// The one message about every file an add left out: those of other types (no reason) and
// those whose content was refused (with the reason), each named with its reason, the
// `accepted` sentence last when files of other types are among them. Only files of other
// types: SkippedFilesMessage. Empty for none.
std::string RefusedFilesMessage(const std::vector<RefusedFile>& refused, std::string_view accepted);

}  // namespace gd
