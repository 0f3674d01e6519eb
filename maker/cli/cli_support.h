#pragma once
// What the project sub-commands share: the program folder, messages on stderr, opening a
// project file with a clear error, and a tiny option reader.

#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "maker/project/message_sink.h"
#include "maker/project/screensaver_doc.h"

namespace gd::cli {

// The folder of the running program (GD_PROGRAM_FOLDER overrides it, for tests).
std::string ProgramFolder();

// The maker's messages, printed on stderr as the GUI would show them in message boxes.
class StderrMessages : public MessageSink {
public:
    void ShowMessage(std::string_view text) override;
};

// Prints "glimmerdeck CMD: text" on stderr.
void PrintError(std::string_view command, std::string_view text);

// Opens the project into the document; prints the reason and returns false on failure.
bool OpenProject(std::string_view command, CScreenSaverDoc& doc, const std::string& path);

// Saves the document to `path`; prints the reason and returns false on failure.
bool SaveProject(std::string_view command, CScreenSaverDoc& doc, const std::string& path);

// Prints the usage on stdout for --help (exit 0), or the problem and the usage on stderr
// (exit 2).
int UsageExit(std::string_view command, std::string_view usage, const std::string& problem = {});

// The argument list of a sub-command, consumed front to back.
class Args {
public:
    explicit Args(std::span<const std::string_view> args) : args_(args.begin(), args.end()) {}
    bool empty() const { return next_ >= args_.size(); }
    std::string_view Peek() const { return args_[next_]; }
    std::string_view Take() { return args_[next_++]; }
    // The value after an option, or nothing when the list ends.
    std::optional<std::string> Value() {
        if (empty()) return std::nullopt;
        return std::string(Take());
    }

private:
    std::vector<std::string_view> args_;
    size_t next_ = 0;
};

bool IsHelp(std::string_view arg);

// True when the stream is a terminal (a console on Windows, not the NUL device).
bool IsTerminal(std::FILE* stream);

// True when a progress line can be kept on the stream's last line: a terminal that
// understands the cursor controls (on Windows, a console in its virtual-terminal mode).
bool CanRewriteLine(std::FILE* stream);

// "1 picture", "3 pictures", "1 music file", "0 music files".
std::string Count(size_t n, std::string_view one, std::string_view many);
std::string Pictures(size_t n);
std::string MusicFiles(size_t n);

// A path made absolute against the current folder, as the project stores full paths.
std::string FullPath(std::string_view path);

}  // namespace gd::cli
