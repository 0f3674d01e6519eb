// The maker's file calls on Windows: the wide-character API on UTF-8 paths, so any name
// the file system allows works, whatever the ANSI code page.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdint>

#include "common/utf16.h"
#include "maker/project/file_io.h"
#include "maker/project/path_rules.h"
#include "maker/project/temporary_files.h"

namespace gd {

namespace {

class Handle {
public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() {
        if (valid()) CloseHandle(h_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return h_; }
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    bool Close() {
        HANDLE h = h_;
        h_ = INVALID_HANDLE_VALUE;
        return CloseHandle(h) != 0;
    }

private:
    HANDLE h_;
};

// The texts of the errors a user meets most, worded as the C library words them, so the
// Windows and the Linux maker say the same; others in the system's own words.
std::string ErrorText(DWORD code) {
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME: return "No such file or directory";
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: return "Permission denied";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return "No space left on device";
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return "File exists";
    case ERROR_FILE_TOO_LARGE: return "File too large";
    case ERROR_DIRECTORY: return "Is a directory";
    default: break;
    }
    wchar_t* text = nullptr;
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message(text ? text : L"", n);
    if (text) LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' ' ||
                                message.back() == L'.'))
        message.pop_back();
    return message.empty() ? "error " + std::to_string(code) : Utf16ToUtf8(message);
}

// Records the last error for `path` and fails.
bool Failed(FileError* error, const std::string& path) {
    DWORD code = GetLastError();
    if (error) *error = {path, ErrorText(code)};
    SetLastError(code);
    return false;
}

HANDLE OpenForReading(const std::wstring& path) {
    return CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

bool IsFolder(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WriteAll(HANDLE file, const uint8_t* data, size_t size) {
    while (size > 0) {
        DWORD chunk = DWORD(size > (1u << 30) ? (1u << 30) : size), written = 0;
        if (!WriteFile(file, data, chunk, &written, nullptr) || written == 0) return false;
        data += written;
        size -= written;
    }
    return true;
}

// A name beside `path` that no file has yet, created empty and opened for writing.
HANDLE CreateTemporaryBeside(const std::wstring& path, std::wstring& temp) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        wchar_t suffix[40];
        swprintf(suffix, 40, L".%lx-%x~", GetCurrentProcessId(), counter++);
        temp = path + suffix;
        HANDLE h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return h;
    }
    return INVALID_HANDLE_VALUE;
}

// Runs `fill` on a new temporary file beside `path`, then moves it over `path`.
template <class Fill> bool ReplaceThroughTemporary(const std::string& path, FileError* error, Fill fill) {
    const std::wstring target = Utf8ToUtf16(path);
    std::wstring temp;
    Handle file(CreateTemporaryBeside(target, temp));
    if (!file.valid()) return Failed(error, path);
    TemporaryFileGuard guard(Utf16ToUtf8(temp));  // a console interrupt before the move removes it
    bool ok = (fill(file.get()) && FlushFileBuffers(file.get())) || Failed(error, path);
    if (!file.Close() && ok) ok = Failed(error, path);
    if (ok && !MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        ok = Failed(error, path);
    if (!ok) {
        DWORD code = GetLastError();
        DeleteFileW(temp.c_str());
        SetLastError(code);
    }
    return ok;
}

}  // namespace

ReadFileStatus ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, FileError* error) {
    return ReadFileStart(path, SIZE_MAX, bytes, error);
}

ReadFileStatus ReadFileStart(const std::string& path, size_t limit, std::vector<uint8_t>& bytes, FileError* error) {
    bytes.clear();
    const std::wstring wide = Utf8ToUtf16(path);
    if (IsFolder(wide)) {
        SetLastError(ERROR_DIRECTORY);
        return Failed(error, path), ReadFileStatus::kReadFailed;
    }
    Handle file(OpenForReading(wide));
    if (!file.valid()) return Failed(error, path), ReadFileStatus::kOpenFailed;
    LARGE_INTEGER size;
    if (GetFileSizeEx(file.get(), &size) && size.QuadPart > 0)
        bytes.reserve((std::min)(size_t(size.QuadPart), limit));
    uint8_t buffer[1 << 16];
    while (bytes.size() < limit) {
        DWORD n = 0;
        const DWORD wanted = DWORD((std::min)(sizeof buffer, limit - bytes.size()));
        if (!ReadFile(file.get(), buffer, wanted, &n, nullptr)) return Failed(error, path), ReadFileStatus::kReadFailed;
        if (n == 0) return ReadFileStatus::kOk;
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    return ReadFileStatus::kOk;
}

bool WriteFileReplacing(const std::string& path, std::span<const uint8_t> bytes, FileError* error) {
    return ReplaceThroughTemporary(path, error,
                                   [&](HANDLE file) { return WriteAll(file, bytes.data(), bytes.size()); });
}

bool CopyFileReplacing(const std::string& from, const std::string& to, FileError* error) {
    Handle in(OpenForReading(Utf8ToUtf16(from)));
    if (!in.valid()) return Failed(error, from);
    bool read_failed = false;
    bool ok = ReplaceThroughTemporary(to, error, [&](HANDLE out) {
        uint8_t buffer[1 << 16];
        for (;;) {
            DWORD n = 0;
            if (!ReadFile(in.get(), buffer, sizeof buffer, &n, nullptr)) return !(read_failed = true);
            if (n == 0) return true;
            if (!WriteAll(out, buffer, n)) return false;
        }
    });
    if (read_failed && error) error->path = from;
    return ok;
}

bool RenameReplacing(const std::string& from, const std::string& to, FileError* error) {
    return MoveFileExW(Utf8ToUtf16(from).c_str(), Utf8ToUtf16(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ||
           Failed(error, to);
}

long long FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(Utf8ToUtf16(path).c_str(), GetFileExInfoStandard, &data)) return 0;
    return (long long)(((unsigned long long)data.nFileSizeHigh << 32) | data.nFileSizeLow);
}

bool RemoveFile(const std::string& path) { return DeleteFileW(Utf8ToUtf16(path).c_str()) != 0; }

bool PathExists(const std::string& path) {
    return !path.empty() && GetFileAttributesW(Utf8ToUtf16(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsFolder(const std::string& path) { return !path.empty() && IsFolder(Utf8ToUtf16(path)); }

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Utf8ToUtf16(JoinPath(folder.empty() ? "." : folder, "*")).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        std::string name = Utf16ToUtf8(found.cFileName);
        if (name != "." && name != "..") names.push_back(std::move(name));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

unsigned long CurrentProcessId() { return GetCurrentProcessId(); }

bool ProcessIsRunning(unsigned long id) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, DWORD(id));
    if (!process) return GetLastError() == ERROR_ACCESS_DENIED;
    bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
}

}  // namespace gd
