// Reading the tips file with the C library, which both platforms have: on Windows a
// narrow path is in the ANSI code page, as every path of the maker is.
#include <sys/stat.h>

#include <cstdio>
#include <ctime>
#include <memory>

#include "common/text_trim.h"
#include "maker/ui/tip_of_the_day.h"

namespace gd {

std::optional<TipsFileContent> ReadTipsFile(const std::string& path) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) return std::nullopt;
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return std::nullopt;
    TipsFileContent content;
    char buffer[4096];
    while (size_t n = std::fread(buffer, 1, sizeof buffer, file.get())) content.bytes.append(buffer, n);
    if (std::ferror(file.get())) return std::nullopt;
    std::time_t changed = status.st_mtime;
    if (const char* text = std::ctime(&changed)) content.time_stamp = std::string(TrimWhiteSpace(text));
    return content;
}

}  // namespace gd
