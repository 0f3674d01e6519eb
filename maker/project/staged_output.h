#pragma once
// A screensaver is made in a staging file beside its output ("<output>.<process id>.making~")
// and renamed over the output only once it is complete, so a build that fails, is
// interrupted or crashes leaves the file that was there as it was. The staging file and
// the resource editor's files beside it (".spool~", ".new~") are registered for removal
// by a signal handler; what a killed process could not remove, the next build of the same
// output removes (RemoveStaleStagingFiles).

#include <string>

#include "maker/project/file_io.h"

namespace gd {

// "<output>.<id>.making~"
std::string StagingPathFor(const std::string& output_path, unsigned long process_id);

class StagedOutput {
public:
    explicit StagedOutput(std::string output_path);
    // Removes the staging files unless they were published.
    ~StagedOutput();
    StagedOutput(const StagedOutput&) = delete;
    StagedOutput& operator=(const StagedOutput&) = delete;

    // The file the build writes.
    const std::string& path() const { return staging_; }
    // Renames the complete file over the output; false with the reason.
    bool Publish(FileError* error);
    // Removes the staging files.
    void Discard();

private:
    std::string output_;
    std::string staging_;
    bool done_ = false;
};

// Removes what earlier builds of `output_path` left beside it when they were killed:
// staging files of processes that no longer run, with every file named after them (the
// editor's files, a copy's temporary file), and the editor files that builds before
// staging left beside the output itself.
void RemoveStaleStagingFiles(const std::string& output_path);

}  // namespace gd
