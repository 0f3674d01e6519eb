#include "maker/win32/open_file_names.h"

#include <algorithm>
#include <cstring>

#include "common/path_parts.h"
#include "maker/win32/ui_text.h"

namespace gd {

namespace {

// What a grown buffer has beyond the present selection: the next few clicks fit without
// another copy.
constexpr size_t kSpareCharacters = 4096;

}  // namespace

OpenFileNames::OpenFileNames(size_t initial_characters) : buffer_(std::max<size_t>(initial_characters, 2), L'\0') {}

void OpenFileNames::Attach(OPENFILENAMEW& ofn) {
    ofn.lpstrFile = buffer_.data();
    ofn.nMaxFile = DWORD(buffer_.size());
}

void OpenFileNames::Reserve(OPENFILENAMEW& ofn, size_t characters) {
    if (characters > buffer_.size()) buffer_.resize(characters, L'\0');
    Attach(ofn);
}

void OpenFileNames::FitSelection(HWND dialog, OPENFILENAMEW& ofn) {
    // Asked with no buffer, each message gives the length it needs, NUL included.
    const LRESULT folder = SendMessageW(dialog, CDM_GETFOLDERPATH, 0, 0);
    const LRESULT names = SendMessageW(dialog, CDM_GETSPEC, 0, 0);
    if (folder < 0 || names < 0) return;
    const size_t needed = CharactersForSelection(size_t(folder), size_t(names));
    if (needed > buffer_.size()) Reserve(ofn, needed + kSpareCharacters);
}

std::vector<std::string> OpenFileNames::Paths() const { return SplitSelection(buffer_); }

size_t CharactersForSelection(size_t folder_length, size_t names_length) {
    // Folder, NUL, the names each with a NUL (fewer characters than their quoted form),
    // the closing NUL; a backslash the dialog may add after the folder.
    return folder_length + 1 + names_length + 2;
}

std::vector<std::string> SplitSelection(const std::wstring& buffer) {
    std::vector<std::wstring> parts;
    size_t start = 0;
    while (start < buffer.size() && buffer[start] != L'\0') {
        size_t end = buffer.find(L'\0', start);
        if (end == buffer.npos) end = buffer.size();
        parts.push_back(buffer.substr(start, end - start));
        start = end + 1;
    }
    std::vector<std::string> paths;
    if (parts.size() == 1) {
        paths.push_back(Utf8(parts[0]));
        return paths;
    }
    const std::wstring folder = parts.empty() ? std::wstring() : parts[0];
    paths.reserve(parts.size());
    for (size_t i = 1; i < parts.size(); ++i)
        paths.push_back(Utf8(JoinPathParts(std::wstring_view(folder), parts[i], kWindowsSeparators)));
    return paths;
}

std::optional<std::vector<std::string>> RunOpenFileDialog(OPENFILENAMEW& ofn, OpenFileNames& names) {
    names.Attach(ofn);
    ofn.lpstrFile[0] = L'\0';
    if (GetOpenFileNameW(&ofn)) {
        std::vector<std::string> paths = names.Paths();
        if (paths.empty()) return std::nullopt;
        return paths;
    }
    if (CommDlgExtendedError() != FNERR_BUFFERTOOSMALL) return std::nullopt;
    // The first two bytes hold the size the names wanted, in characters; a size beyond
    // what two bytes hold comes out smaller, so the buffer at least doubles.
    uint16_t wanted = 0;
    std::memcpy(&wanted, names.data(), sizeof wanted);
    names.Reserve(ofn, std::max<size_t>(size_t(wanted) + kSpareCharacters, names.capacity() * 2));
    MessageBoxW(ofn.hwndOwner, L"The names of the chosen files were longer than expected. Please choose the files again.",
                ofn.lpstrTitle ? ofn.lpstrTitle : L"Glimmerdeck", MB_OK | MB_ICONINFORMATION);
    ofn.lpstrFile[0] = L'\0';
    if (!GetOpenFileNameW(&ofn)) return std::nullopt;
    std::vector<std::string> paths = names.Paths();
    if (paths.empty()) return std::nullopt;
    return paths;
}

}  // namespace gd
