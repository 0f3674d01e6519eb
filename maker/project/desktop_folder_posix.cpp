#include "maker/project/desktop_folder.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace gd {

namespace {

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return {};
}

bool IsFolder(const std::string& path) {
    struct stat st;
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string ExpandHome(std::string value, const std::string& home) {
    if (value.rfind("$HOME", 0) == 0) value = home + value.substr(5);
    return value;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

std::string DesktopDirFromUserDirs(const std::string& text, const std::string& home) {
    std::istringstream lines(text);
    std::string line, found;
    const std::string key = "XDG_DESKTOP_DIR=";
    while (std::getline(lines, line)) {
        size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line.compare(start, key.size(), key) != 0) continue;
        std::string value = line.substr(start + key.size());
        while (!value.empty() && (value.back() == ' ' || value.back() == '\t' || value.back() == '\r'))
            value.pop_back();
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
        found = ExpandHome(value, home);  // the last assignment wins, as when the file is sourced
    }
    return found;
}

std::string UserDesktopFolder() {
    const std::string home = HomeFolder();
    std::string desktop;
    if (const char* env = std::getenv("XDG_DESKTOP_DIR"); env && *env) {
        desktop = ExpandHome(env, home);
    } else {
        const char* config = std::getenv("XDG_CONFIG_HOME");
        std::string dirs = (config && *config) ? std::string(config) : home + "/.config";
        desktop = DesktopDirFromUserDirs(ReadFile(dirs + "/user-dirs.dirs"), home);
    }
    return IsFolder(desktop) ? desktop : home;
}

}  // namespace gd
