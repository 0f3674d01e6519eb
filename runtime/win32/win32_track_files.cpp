#include "runtime/platform_track_files.h"

#include <windows.h>

#include "common/utf16.h"

namespace gd {
namespace {

class Win32TrackFileWriter : public TrackFileWriter {
public:
    explicit Win32TrackFileWriter(HANDLE file) : file_(file) {}
    ~Win32TrackFileWriter() override { Close(); }
    bool Write(std::span<const uint8_t> bytes) override {
        DWORD written = 0;
        return WriteFile(file_, bytes.data(), DWORD(bytes.size()), &written, nullptr) && written == bytes.size();
    }
    bool Close() override {
        if (file_ == INVALID_HANDLE_VALUE) return true;
        BOOL ok = CloseHandle(file_);
        file_ = INVALID_HANDLE_VALUE;
        return ok != FALSE;
    }

private:
    HANDLE file_;
};

}  // namespace

bool PlatformTrackFiles::Exists(const std::string& path) {
    return GetFileAttributesW(Utf8ToUtf16(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void PlatformTrackFiles::Remove(const std::string& path) { DeleteFileW(Utf8ToUtf16(path).c_str()); }

std::unique_ptr<TrackFileWriter> PlatformTrackFiles::Create(const std::string& path) {
    // No one else may read or write while the track is written; deleting is allowed, so
    // a cancelled write can be removed from the window thread at once.
    HANDLE file = CreateFileW(Utf8ToUtf16(path).c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32TrackFileWriter>(file);
}

std::string TemporaryFolder() {
    wchar_t buffer[MAX_PATH + 1] = {};
    DWORD n = GetTempPathW(MAX_PATH + 1, buffer);
    if (n == 0 || n > MAX_PATH) return ".\\";
    return Utf16ToUtf8(std::wstring_view(buffer, n));
}

}  // namespace gd
