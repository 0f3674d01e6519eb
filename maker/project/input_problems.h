#pragma once
// What may go into a project: pictures the maker can decode, music files the screensaver
// can play (WAV, MP3, MIDI), an icon file the build can use. A file that cannot is refused
// with the reason (the system's or the decoder's words) before it reaches the project, so
// a build never meets it. The command line and the Pictures and Music pages check alike.

#include <functional>
#include <string>
#include <vector>

namespace gd {

// Whether the extension is that of music: WAV, MP3, MID, MIDI or RMI (any case).
bool HasMusicExtension(const std::string& path);

// Why the file cannot be a picture of the project, or empty: it cannot be read, or it does
// not decode (the decoder's error text).
std::string PictureProblem(const std::string& path);
// Why the file cannot be music of the project, or empty: it cannot be read, is empty, or
// its first bytes are not those of a WAV, MP3 or MIDI file.
std::string MusicProblem(const std::string& path);
// Why the file cannot be the screensaver's icon, or empty: it cannot be read or is not an
// icon file (.ico) with at least one image inside it.
std::string IconProblem(const std::string& path);

struct RefusedFile {
    std::string path;
    std::string reason;  // empty: not of a type the list takes (by its name)

    friend bool operator==(const RefusedFile&, const RefusedFile&) = default;
};

// Checks every file with `problem`, on up to `threads` threads (decoding a folder of
// photos one by one would keep a window waiting, or a command line); the problems in the
// order of `paths`. `progress`, when given, hears on the calling thread how many files
// are done.
using FileProblem = std::function<std::string(const std::string& path)>;
std::vector<std::string> FileProblems(const std::vector<std::string>& paths, const FileProblem& problem, int threads,
                                      const std::function<void(size_t done)>& progress = {});
// Checks every file as FileProblems does and takes the refused ones out of `paths`;
// returns them with their reasons, both lists in the given order.
std::vector<RefusedFile> TakeRefusedFiles(std::vector<std::string>& paths, const FileProblem& problem, int threads);
// The threads a check of many files uses: the machine's cores, at most 8.
int FileCheckThreads();

}  // namespace gd
