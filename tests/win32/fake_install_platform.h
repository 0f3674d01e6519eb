#pragma once
// The install's platform in memory: files by path, folders that refuse writing, and the
// values the activation writes.

#include <cwctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "win32/saver_install.h"

namespace gd {

class FakeInstallPlatform final : public InstallPlatform {
public:
    std::wstring SystemFolder() override { return system_folder; }
    std::wstring UserFolder() override { return user_folder; }
    bool CanWriteFolder(const std::wstring& folder) override { return !read_only.count(folder); }
    bool CreateFolder(const std::wstring& folder) override {
        if (!can_create_folders) return false;
        folders.insert(folder);
        return true;
    }
    bool FileExists(const std::wstring& path) override { return files.count(path) != 0; }
    CopyResult CopyReplacing(const std::wstring& from, const std::wstring& to) override {
        copies.push_back(to);
        auto source = files.find(from);
        if (source == files.end()) return CopyResult::kFailed;
        std::wstring folder = to.substr(0, to.find_last_of(L'\\'));
        if (refuse_copies_into.count(folder) || read_only.count(folder)) return CopyResult::kRefused;
        if (fail_copies) return CopyResult::kFailed;
        files[to] = source->second;
        return CopyResult::kCopied;
    }
    std::wstring ShortPath(const std::wstring& path) override {
        if (!files.count(path) || !short_paths) return {};
        // A stand-in for the platform's 8.3 alias: upper case, blanks removed.
        std::wstring alias;
        for (wchar_t c : path) {
            if (c != L' ') alias += wchar_t(std::towupper(c));
        }
        return alias;
    }
    bool WriteSystemIniSaver(const std::wstring& value) override {
        if (!ini_writable) return false;
        system_ini_saver = value;
        return true;
    }
    bool WriteUserSaver(const std::wstring& value) override {
        user_saver = value;
        return true;
    }
    bool SetScreenSaveActive() override {
        screen_save_active = true;
        return true;
    }

    std::wstring system_folder = L"C:\\windows\\system32";
    std::wstring user_folder = L"C:\\users\\me\\AppData\\Local\\Glimmerdeck\\Screensavers";
    std::set<std::wstring> read_only;           // folders whose probe says "not writable"
    std::set<std::wstring> refuse_copies_into;  // folders that refuse the copy itself
    bool fail_copies = false;
    bool can_create_folders = true;
    bool short_paths = true;
    bool ini_writable = true;

    std::map<std::wstring, std::string> files;  // path -> content
    std::set<std::wstring> folders;
    std::vector<std::wstring> copies;           // every copy target tried
    std::wstring system_ini_saver;
    std::wstring user_saver;
    bool screen_save_active = false;
};

}  // namespace gd
