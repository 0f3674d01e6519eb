// The tips file through the maker's file calls, which take UTF-8 paths on both platforms.
#include "common/text_trim.h"
#include "maker/project/file_io.h"
#include "maker/ui/tip_of_the_day.h"
#include "maker/project/file_time.h"

namespace gd {

std::optional<TipsFileContent> ReadTipsFile(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (ReadWholeFile(path, bytes) != ReadFileStatus::kOk) return std::nullopt;
    std::optional<std::time_t> changed = FileChangeTime(path);
    if (!changed) return std::nullopt;
    TipsFileContent content;
    content.bytes.assign(bytes.begin(), bytes.end());
    if (const char* text = std::ctime(&*changed)) content.time_stamp = std::string(TrimWhiteSpace(text));
    return content;
}

}  // namespace gd
