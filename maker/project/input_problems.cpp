#include "maker/project/input_problems.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <thread>

#include "common/byte_io.h"
#include "common/path_parts.h"
#include "imaging/cx_image.h"
#include "maker/project/file_io.h"
#include "maker/project/path_rules.h"
#include "resources/icon_file.h"

namespace gd {

namespace {

std::string Extension(const std::string& path) {
    return UpperAscii(PathExtension(path, kWindowsSeparators));
}

bool IsMusicExtension(const std::string& e) {
    return e == "WAV" || e == "MP3" || e == "MID" || e == "MIDI" || e == "RMI";
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

bool HasMusicExtension(const std::string& path) { return IsMusicExtension(Extension(path)); }

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

std::vector<std::string> FileProblems(const std::vector<std::string>& paths, const FileProblem& problem, int threads,
                                      const std::function<void(size_t done)>& progress) {
    std::vector<std::string> problems(paths.size());
    std::atomic<size_t> next{0}, done{0};
    auto work = [&](bool reports) {
        for (size_t i = next++; i < paths.size(); i = next++) {
            problems[i] = problem(paths[i]);
            const size_t finished = ++done;
            if (reports && progress) progress(finished);
        }
    };
    const size_t helpers = std::min(paths.size(), size_t(std::max(threads, 1))) - (paths.empty() ? 0 : 1);
    std::vector<std::thread> pool;
    for (size_t i = 0; i < helpers; ++i) pool.emplace_back(work, false);
    work(true);
    for (std::thread& t : pool) t.join();
    if (progress && !paths.empty()) progress(paths.size());
    return problems;
}

int FileCheckThreads() { return int(std::clamp(std::thread::hardware_concurrency(), 1u, 8u)); }

std::vector<RefusedFile> TakeRefusedFiles(std::vector<std::string>& paths, const FileProblem& problem, int threads) {
    std::vector<std::string> problems = FileProblems(paths, problem, threads);

    std::vector<RefusedFile> refused;
    std::vector<std::string> kept;
    for (size_t i = 0; i < paths.size(); ++i) {
        if (problems[i].empty()) kept.push_back(std::move(paths[i]));
        else refused.push_back({std::move(paths[i]), std::move(problems[i])});
    }
    paths = std::move(kept);
    return refused;
}

}  // namespace gd
