#include "maker/ui/dropped_files.h"

#include <algorithm>

#include "common/path_parts.h"
#include "maker/project/file_io.h"
#include "maker/project/image_type.h"
#include "maker/project/path_rules.h"

namespace gd {

namespace {

// Deep enough for any photo archive, short of a loop of folder links.
constexpr int kMaxFolderDepth = 24;
constexpr size_t kNamedSkippedFiles = 12;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool IsHousekeepingFile(std::string_view name) {
    std::string lower(name);
    for (char& c : lower) c = LowerAscii(c);
    return lower == "thumbs.db" || lower == "desktop.ini" || lower == ".ds_store";
}

class Expander {
public:
    Expander(const FileTypeSet& types, DroppedFiles& out) : types_(types), out_(out) {}

    void Dropped(const std::string& path) {
        if (IsFolder(path)) Folder(path, 0);
        else File(path);
    }

private:
    void File(const std::string& path) {
        if (types_.Contains(path)) out_.files.push_back(path);
        else out_.skipped.push_back(path);
    }

    void Folder(const std::string& folder, int depth) {
        if (depth >= kMaxFolderDepth) return;
        std::vector<std::string> names = FolderEntries(folder);
        std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
            return NameOrderLess(a, b);
        });
        for (const std::string& name : names) {
            const std::string path = JoinPath(folder, name);
            if (IsFolder(path)) Folder(path, depth + 1);
            else if (!IsHousekeepingFile(name)) File(path);
        }
    }

    const FileTypeSet& types_;
    DroppedFiles& out_;
};

}  // namespace

FileTypeSet::FileTypeSet(std::initializer_list<const char*> extensions) {
    for (const char* e : extensions) extensions_.push_back(UpperAscii(e));
}

FileTypeSet::FileTypeSet(const std::vector<std::string>& extensions) {
    for (const std::string& e : extensions) extensions_.push_back(UpperAscii(e));
}

bool FileTypeSet::Contains(std::string_view path) const {
    const std::string extension = UpperAscii(PathExtension(path, kWindowsSeparators));
    if (extension.empty()) return false;
    return std::find(extensions_.begin(), extensions_.end(), extension) != extensions_.end();
}

DroppedFiles ExpandDroppedFiles(const std::vector<std::string>& dropped, const FileTypeSet& types) {
    DroppedFiles out;
    Expander expander(types, out);
    for (const std::string& path : dropped) expander.Dropped(path);
    return out;
}

bool NameOrderLess(std::string_view a, std::string_view b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            // Compare the numbers: without leading zeros, the longer is larger.
            size_t ei = i, ej = j;
            while (ei < a.size() && IsDigit(a[ei])) ++ei;
            while (ej < b.size() && IsDigit(b[ej])) ++ej;
            size_t si = i, sj = j;
            while (si + 1 < ei && a[si] == '0') ++si;
            while (sj + 1 < ej && b[sj] == '0') ++sj;
            const std::string_view na = a.substr(si, ei - si), nb = b.substr(sj, ej - sj);
            if (na.size() != nb.size()) return na.size() < nb.size();
            if (na != nb) return na < nb;
            i = ei;
            j = ej;
            continue;
        }
        const char ca = LowerAscii(a[i]), cb = LowerAscii(b[j]);
        if (ca != cb) return (unsigned char)ca < (unsigned char)cb;
        ++i;
        ++j;
    }
    if ((a.size() - i) != (b.size() - j)) return a.size() - i < b.size() - j;
    // Equal but for case or leading zeros: a fixed order all the same.
    return a < b;
}

std::string SkippedFilesMessage(const std::vector<std::string>& skipped, std::string_view accepted) {
    if (skipped.empty()) return {};
    if (skipped.size() == 1) return skipped.front() + "\n\nwas not added. " + std::string(accepted);
    std::string text = "These " + std::to_string(skipped.size()) + " files were not added. " + std::string(accepted) +
                       "\n";
    const size_t named = std::min(skipped.size(), kNamedSkippedFiles);
    for (size_t i = 0; i < named; ++i) text += "\n" + skipped[i];
    if (skipped.size() > named) text += "\n... and " + std::to_string(skipped.size() - named) + " more";
    return text;
}

std::string RefusedFilesMessage(const std::vector<RefusedFile>& refused, std::string_view accepted) {
    std::vector<std::string> of_other_types;
    for (const RefusedFile& r : refused)
        if (r.reason.empty()) of_other_types.push_back(r.path);
    if (of_other_types.size() == refused.size()) return SkippedFilesMessage(of_other_types, accepted);
    auto reason = [](const RefusedFile& r) { return r.reason.empty() ? std::string("not a type this list takes") : r.reason; };
    std::string text;
    if (refused.size() == 1) {
        text = refused[0].path + "\n\nwas not added: " + reason(refused[0]);
    } else {
        text = "These " + std::to_string(refused.size()) + " files were not added:\n";
        const size_t named = std::min(refused.size(), kNamedSkippedFiles);
        for (size_t i = 0; i < named; ++i) text += "\n" + refused[i].path + ": " + reason(refused[i]);
        if (refused.size() > named) text += "\n... and " + std::to_string(refused.size() - named) + " more";
    }
    if (!of_other_types.empty()) text += "\n\n" + std::string(accepted);
    return text;
}

}  // namespace gd
