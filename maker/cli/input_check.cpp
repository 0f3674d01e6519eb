#include "maker/cli/input_check.h"

#include <algorithm>
#include <cstring>

#include "common/byte_io.h"
#include "imaging/cx_image.h"
#include "maker/project/file_io.h"
#include "maker/project/image_type.h"
#include "maker/project/path_rules.h"
#include "resources/icon_file.h"

namespace gd::cli {

namespace {

bool IsOneOf(const std::string& extension, std::initializer_list<const char*> list) {
    for (const char* e : list)
        if (extension == e) return true;
    return false;
}

std::string Extension(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : UpperAscii(name.substr(dot + 1));
}

bool IsMusicExtension(const std::string& extension) {
    return IsOneOf(extension, {"WAV", "MP3", "MID", "MIDI", "RMI"});
}

bool StartsWith(const std::vector<uint8_t>& bytes, const char* magic) {
    size_t n = std::strlen(magic);
    return bytes.size() >= n && std::memcmp(bytes.data(), magic, n) == 0;
}

// Whether the first bytes are those of the format the extension names.
bool LooksLikeMusic(const std::string& extension, const std::vector<uint8_t>& bytes) {
    if (extension == "WAV") return StartsWith(bytes, "RIFF");
    if (extension == "MID" || extension == "MIDI" || extension == "RMI")
        return StartsWith(bytes, "MThd") || StartsWith(bytes, "RIFF");
    // MP3: a tag, or the sync bits of a frame.
    return StartsWith(bytes, "ID3") || (bytes.size() >= 2 && bytes[0] == 0xFF && (bytes[1] & 0xE0) == 0xE0);
}

std::string ReadProblem(const std::string& path, std::vector<uint8_t>& bytes) {
    FileError error;
    if (ReadWholeFile(path, bytes, &error) != ReadFileStatus::kOk) return error.text;
    return {};
}

}  // namespace

InputKind KindOfFile(const std::string& path) {
    return IsMusicExtension(Extension(path)) ? InputKind::kMusic : InputKind::kPicture;
}

bool HasPictureExtension(const std::string& path) {
    const std::string extension = Extension(path);
    return ImageTypeFromPath(path) != kImageUnknown ||
           IsOneOf(extension, {"ICO", "JBG", "JBIG", "J2K", "J2C", "JPC"});
}

std::string PictureProblem(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (std::string problem = ReadProblem(path, bytes); !problem.empty()) return problem;
    CxImage image;
    if (!image.Decode(std::span<const uint8_t>(bytes))) return image.GetLastError();
    return {};
}

std::string MusicProblem(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (std::string problem = ReadProblem(path, bytes); !problem.empty()) return problem;
    if (bytes.empty()) return "the file is empty";
    const std::string extension = Extension(path);
    if (!IsMusicExtension(extension)) return "not a WAV, MP3 or MIDI file";
    if (!LooksLikeMusic(extension, bytes)) {
        const char* kind = extension == "MP3" ? "an MP3" : extension == "WAV" ? "a WAV" : "a MIDI";
        return std::string("not ") + kind + " file (its first bytes are not those of one)";
    }
    return {};
}

std::string IconProblem(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (std::string problem = ReadProblem(path, bytes); !problem.empty()) return problem;
    ByteReader r(bytes);
    res::IconHeader h{r.U16(), r.U16(), r.U16()};
    if (!r.ok() || h.reserved != 0 || h.type != 1) return "not an icon file (.ico)";
    if (h.count == 0) return "the icon file holds no image";
    auto directory = r.Bytes(size_t(h.count) * res::kIconDirEntrySize);
    if (!r.ok()) return "the icon file ends inside its directory";
    for (uint16_t i = 0; i < h.count; ++i) {
        res::IconDirEntry e = res::ReadIconDirEntry(directory.data() + size_t(i) * res::kIconDirEntrySize);
        if (e.bytes_in_image == 0 || e.image_offset > bytes.size() || e.bytes_in_image > bytes.size() - e.image_offset)
            return "the icon file is shorter than its directory says";
    }
    return {};
}

ExpandedInputs ExpandInput(const std::string& path, const InputKind* only) {
    ExpandedInputs out;
    std::vector<std::string> names = FolderEntries(path);
    if (names.empty() && !IsFolder(path)) {
        out.files.push_back(path);
        return out;
    }
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        const std::string file = JoinPath(path, name);
        if (IsFolder(file)) continue;
        const bool picture = HasPictureExtension(file), music = IsMusicExtension(Extension(file));
        if (!only && (picture || music)) out.files.push_back(file);
        else if (only && (*only == InputKind::kPicture ? picture : music)) out.files.push_back(file);
        else if (!only) out.skipped.emplace_back(file, "not a picture or music file");
        else out.skipped.emplace_back(file, *only == InputKind::kPicture ? "not a picture file" : "not a music file");
    }
    return out;
}

}  // namespace gd::cli
