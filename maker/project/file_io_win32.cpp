// The maker's file calls on Windows: the wide-character API on UTF-8 paths, so any name
// the file system allows works, whatever the ANSI code page.
#include <windows.h>

#include <atomic>

#include "common/utf16.h"
#include "maker/project/file_io.h"
#include "maker/project/path_rules.h"

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
template <class Fill> bool ReplaceThroughTemporary(const std::string& path, Fill fill) {
    const std::wstring target = Utf8ToUtf16(path);
    std::wstring temp;
    Handle file(CreateTemporaryBeside(target, temp));
    if (!file.valid()) return false;
    bool ok = fill(file.get()) && FlushFileBuffers(file.get());
    ok = file.Close() && ok;
    if (ok && MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileW(temp.c_str());
    return false;
}

}  // namespace

ReadFileStatus ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
    bytes.clear();
    const std::wstring wide = Utf8ToUtf16(path);
    if (IsFolder(wide)) return ReadFileStatus::kReadFailed;
    Handle file(OpenForReading(wide));
    if (!file.valid()) return ReadFileStatus::kOpenFailed;
    LARGE_INTEGER size;
    if (GetFileSizeEx(file.get(), &size) && size.QuadPart > 0) bytes.reserve(size_t(size.QuadPart));
    uint8_t buffer[1 << 16];
    for (;;) {
        DWORD n = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &n, nullptr)) return ReadFileStatus::kReadFailed;
        if (n == 0) return ReadFileStatus::kOk;
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
}

bool WriteFileReplacing(const std::string& path, std::span<const uint8_t> bytes) {
    return ReplaceThroughTemporary(path, [&](HANDLE file) { return WriteAll(file, bytes.data(), bytes.size()); });
}

bool CopyFileReplacing(const std::string& from, const std::string& to) {
    Handle in(OpenForReading(Utf8ToUtf16(from)));
    if (!in.valid()) return false;
    return ReplaceThroughTemporary(to, [&](HANDLE out) {
        uint8_t buffer[1 << 16];
        for (;;) {
            DWORD n = 0;
            if (!ReadFile(in.get(), buffer, sizeof buffer, &n, nullptr)) return false;
            if (n == 0) return true;
            if (!WriteAll(out, buffer, n)) return false;
        }
    });
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

}  // namespace gd
