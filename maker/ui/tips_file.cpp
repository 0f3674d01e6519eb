#include "maker/ui/tips_file.h"

namespace gd {

bool IsSkippedTipLine(std::string_view line) {
    if (line.empty()) return true;  // a line end at once
    char c = line.front();
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == ';';
}

Tip ParseTipLine(std::string_view line) {
    Tip tip;
    size_t tab = line.find('\t');
    tip.text = std::string(line.substr(0, tab));
    if (tab == line.npos) return tip;
    line.remove_prefix(tab + 1);
    tab = line.find('\t');
    if (std::string_view header = line.substr(0, tab); !header.empty()) tip.header = std::string(header);
    if (tab == line.npos) return tip;
    line.remove_prefix(tab + 1);
    tip.footer = std::string(line.substr(0, line.find('\t')));
    return tip;
}

bool TipsFile::Seek(int64_t offset) {
    if (offset < 0) return false;
    offset_ = uint64_t(offset) > bytes_.size() ? bytes_.size() : size_t(offset);
    return true;
}

std::string_view TipsFile::LineAt(size_t from, size_t* next) const {
    size_t end = bytes_.find('\n', from);
    *next = end == bytes_.npos ? bytes_.size() : end + 1;
    std::string_view line(bytes_.data() + from, (end == bytes_.npos ? bytes_.size() : end) - from);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() > kMaxTipLine) line = line.substr(0, kMaxTipLine);
    return line;
}

std::optional<Tip> TipsFile::ReadNext() {
    // Reading from the position to the end and then from the beginning back to the
    // position visits every line once; a file without a tip line ends the search there
    // instead of going round for ever.
    size_t pos = offset_;
    bool wrapped = false;
    for (;;) {
        if (pos >= bytes_.size()) {
            if (wrapped) return std::nullopt;
            wrapped = true;
            pos = 0;
        }
        if (wrapped && pos > offset_) return std::nullopt;
        size_t next = 0;
        std::string_view line = LineAt(pos, &next);
        pos = next;
        if (IsSkippedTipLine(line)) continue;
        offset_ = next;
        return ParseTipLine(line);
    }
}

}  // namespace gd
