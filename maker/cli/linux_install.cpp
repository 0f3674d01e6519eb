#include "maker/cli/linux_install.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

#include "common/resource_types.h"
#include "common/saver_extras.h"
#include "common/saver_config.h"
#include "maker/cli/xscreensaver_file.h"
#include "resources/byte_source.h"
#include "resources/resource_table.h"

namespace gd::cli {
namespace fs = std::filesystem;
namespace {

constexpr char kHackFolder[] = "/usr/libexec/xscreensaver";
constexpr char kBackupSuffix[] = ".glimmerdeck~";

std::optional<SaverConfig> ReadConfig(const std::string& path, std::string* why) {
    auto file = res::FileSource::Open(path);
    if (!file) {
        *why = "cannot open " + path;
        return std::nullopt;
    }
    auto parsed = res::ParsePeResources(*file);
    const res::ResourceEntry* entry = parsed ? parsed->table.Find(RT_SAVER_CONFIG, kSaverConfigId) : nullptr;
    if (!entry) {
        *why = path + " is no screensaver made with Glimmerdeck";
        return std::nullopt;
    }
    auto bytes = res::ReadEntryBytes(*file, *entry);
    auto config = bytes ? DecodeSaverConfig(bytes.value()) : std::nullopt;
    if (!config || config->identifier.empty()) *why = path + " holds a damaged configuration";
    // The texts in Unicode, when the screensaver carries them.
    if (const res::ResourceEntry* extras = config ? parsed->table.Find(RT_SAVER_EXTRAS, kSaverExtrasId) : nullptr)
        if (auto extra_bytes = res::ReadEntryBytes(*file, *extras)) ApplySaverExtras(extra_bytes.value(), *config);
    return config;
}

std::optional<std::string> ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Written beside the file and renamed over it, keeping the file's permissions.
bool WriteTextReplacing(const std::string& path, const std::string& text, std::string* why) {
    const std::string temp = path + ".glimmerdeck-new";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << text;
        out.close();
        if (!out) {
            *why = "cannot write " + temp;
            return false;
        }
    }
    std::error_code ec;
    if (fs::exists(path, ec)) fs::permissions(temp, fs::status(path, ec).permissions(), ec);
    fs::rename(temp, path, ec);
    if (ec) {
        *why = "cannot replace " + path + ": " + ec.message();
        fs::remove(temp, ec);
        return false;
    }
    return true;
}

std::string DesktopPath(const LinuxInstallPaths& paths, const std::string& identifier) {
    return paths.desktop_dir + "/glimmerdeck-" + identifier + ".desktop";
}

// Exec of a desktop entry: each argument in double quotes, with the characters the
// format reserves escaped.
std::string DesktopArgument(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') out += "\\\\";
        if (c == '%') out += '%';
        out += c;
    }
    return out + "\"";
}

// A desktop entry's value on one line.
std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
    return text;
}

std::string DesktopEntry(const SaverConfig& config, std::string reelhost, const std::string& copy) {
    // Other hosts do not search xscreensaver's folder of programs: the full path.
    if (reelhost.find('/') == std::string::npos) reelhost = std::string(kHackFolder) + "/" + reelhost;
    const SaverTexts shown = ShownTexts(config);
    const std::string& name = shown.name;
    std::string text = "[Desktop Entry]\n";
    text += "Type=Application\n";
    text += "Name=" + OneLine(name.empty() ? "Glimmerdeck screensaver" : name) + "\n";
    if (!shown.description.empty()) text += "Comment=" + OneLine(shown.description) + "\n";
    text += "TryExec=" + reelhost + "\n";
    text += "Exec=" + DesktopArgument(reelhost) + " -root " + DesktopArgument(copy) + "\n";
    text += "Categories=Screensaver;\n";
    text += "NoDisplay=true\n";
    text += "X-Glimmerdeck-Identifier=" + config.identifier + "\n";
    return text;
}

// The copies in the data folder that carry `identifier`.
std::vector<std::string> InstalledCopies(const LinuxInstallPaths& paths, const std::string& identifier) {
    std::vector<std::string> found;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(paths.data_dir, ec)) {
        if (!e.is_regular_file(ec)) continue;
        std::string why;
        auto config = ReadConfig(e.path().string(), &why);
        if (config && config->identifier == identifier) found.push_back(e.path().string());
    }
    return found;
}

// The program line names the copy as its last argument, so the copy's path (quoted)
// finds the line again.
std::string ProgramEntry(const SaverConfig& config, const std::string& reelhost, const std::string& copy) {
    std::string label = ShownTexts(config).name;
    for (char& c : label)
        if (c == '"' || c == '\\' || c == '\n') c = '\'';
    std::string command = (reelhost.find(' ') == std::string::npos ? reelhost : ShellQuote(reelhost)) + " -root " +
                          ShellQuote(copy);
    return (label.empty() ? "" : "\"" + label + "\"  ") + command;
}

}  // namespace

std::string InstalledFileName(const std::string& name_utf8) {
    std::string name;
    for (unsigned char c : name_utf8) {
        bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ' ||
                    c == '-' || c == '_' || c == '.';
        if (c >= 0x80) continue;  // letters beyond ASCII: dropped with their bytes
        name += keep ? char(c) : '_';
    }
    while (!name.empty() && (name.front() == '.' || name.front() == ' ')) name.erase(name.begin());
    while (!name.empty() && name.back() == ' ') name.pop_back();
    return (name.empty() ? std::string("Screensaver") : name) + ".scr";
}

LinuxInstallPaths UserInstallPaths(const std::string& program_folder) {
    LinuxInstallPaths paths;
    std::string home = std::getenv("HOME") ? std::getenv("HOME") : ".";
    std::string data = std::getenv("XDG_DATA_HOME") && *std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME")
                                                                                      : home + "/.local/share";
    paths.data_dir = data + "/glimmerdeck";
    paths.desktop_dir = data + "/applications/screensavers";
    paths.xscreensaver_file = home + "/.xscreensaver";
    std::error_code ec;
    fs::path runtime = fs::canonical(fs::path(program_folder) / "reelhost", ec);
    if (ec) runtime = fs::absolute(fs::path(program_folder) / "reelhost", ec);
    paths.reelhost = runtime.parent_path() == kHackFolder ? "reelhost" : runtime.string();
    return paths;
}

LinuxInstallResult InstallForUser(const std::string& screensaver, const LinuxInstallPaths& paths) {
    LinuxInstallResult r;
    auto config = ReadConfig(screensaver, &r.error);
    if (!config) return r;
    std::error_code ec;
    fs::create_directories(paths.data_dir, ec);
    if (ec) {
        r.error = "cannot create " + paths.data_dir + ": " + ec.message();
        return r;
    }
    // Installing again replaces the earlier copy and its program line.
    auto earlier = InstalledCopies(paths, config->identifier);
    std::string copy = paths.data_dir + "/" + InstalledFileName(ShownTexts(*config).name);
    if (fs::exists(copy, ec) && std::find(earlier.begin(), earlier.end(), copy) == earlier.end()) {
        // Another screensaver of the same name: this one gets its identifier's start.
        copy = copy.substr(0, copy.size() - 4) + " " + config->identifier.substr(0, 8) + ".scr";
    }
    if (copy.find_first_of("\\\n") != std::string::npos) {
        r.error = "the folder " + paths.data_dir + " has a name xscreensaver cannot take (a backslash or line break)";
        return r;
    }
    if (!fs::equivalent(screensaver, copy, ec)) {
        fs::copy_file(screensaver, copy, fs::copy_options::overwrite_existing, ec);
        if (ec) {
            r.error = "cannot copy to " + copy + ": " + ec.message();
            return r;
        }
    }
    r.done.push_back("copied to " + copy);

    // ~/.xscreensaver: the earlier lines of this screensaver go, the new one comes last.
    std::string text = ReadText(paths.xscreensaver_file).value_or("");
    const bool existed = fs::exists(paths.xscreensaver_file, ec);
    std::string updated = text;
    for (const auto& old : earlier) {
        if (auto without = RemoveXScreensaverPrograms(updated, ShellQuote(old))) updated = *without;
    }
    updated = AddXScreensaverProgram(updated, ProgramEntry(*config, paths.reelhost, copy));
    if (existed) {
        fs::copy_file(paths.xscreensaver_file, paths.xscreensaver_file + kBackupSuffix,
                      fs::copy_options::overwrite_existing, ec);
        if (ec) {
            r.error = "cannot keep a copy of " + paths.xscreensaver_file + ": " + ec.message();
            return r;
        }
    }
    if (!WriteTextReplacing(paths.xscreensaver_file, updated, &r.error)) return r;
    r.done.push_back("added to the programs of " + paths.xscreensaver_file +
                     (existed ? " (the file as it was: " + paths.xscreensaver_file + kBackupSuffix + ")" : ""));

    fs::create_directories(paths.desktop_dir, ec);
    const std::string desktop = DesktopPath(paths, config->identifier);
    if (!WriteTextReplacing(desktop, DesktopEntry(*config, paths.reelhost, copy), &r.error)) return r;
    r.done.push_back("desktop entry " + desktop);
    r.ok = true;
    return r;
}

LinuxInstallResult RemoveForUser(const std::string& screensaver, const LinuxInstallPaths& paths) {
    LinuxInstallResult r;
    auto config = ReadConfig(screensaver, &r.error);
    if (!config) return r;
    auto copies = InstalledCopies(paths, config->identifier);
    std::error_code ec;
    if (auto text = ReadText(paths.xscreensaver_file)) {
        std::string updated = *text;
        bool changed = false;
        for (const auto& copy : copies) {
            if (auto without = RemoveXScreensaverPrograms(updated, ShellQuote(copy))) {
                updated = *without;
                changed = true;
            }
        }
        const std::string backup = paths.xscreensaver_file + kBackupSuffix;
        if (changed && updated.find_first_not_of(" \t\r\n") == std::string::npos && !fs::exists(backup, ec)) {
            // A file that install-linux wrote for this program alone goes with it.
            if (!fs::remove(paths.xscreensaver_file, ec)) {
                r.error = "cannot remove " + paths.xscreensaver_file + ": " + ec.message();
                return r;
            }
            r.done.push_back("removed " + paths.xscreensaver_file + " (it held this program only)");
        } else if (changed) {
            if (!WriteTextReplacing(paths.xscreensaver_file, updated, &r.error)) return r;
            r.done.push_back("removed from the programs of " + paths.xscreensaver_file);
            // The copy kept at installing is the file as it is again: it goes too. One
            // that differs (the user changed something since) stays.
            if (ReadText(backup) == updated && fs::remove(backup, ec)) r.done.push_back("removed " + backup);
        }
    }
    const std::string desktop = DesktopPath(paths, config->identifier);
    if (fs::remove(desktop, ec)) r.done.push_back("removed " + desktop);
    for (const auto& copy : copies) {
        if (fs::remove(copy, ec)) r.done.push_back("removed " + copy);
    }
    // The folders are the program's own: they go once nothing is left in them.
    fs::remove(paths.data_dir, ec);
    fs::remove(paths.desktop_dir, ec);
    if (r.done.empty()) {
        r.error = "\"" + ShownTexts(*config).name + "\" is not installed for this user";
        return r;
    }
    r.ok = true;
    return r;
}

}  // namespace gd::cli
