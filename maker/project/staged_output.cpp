#include "maker/project/staged_output.h"

#include <cstdlib>

#include "common/path_parts.h"
#include "maker/project/path_rules.h"
#include "maker/project/temporary_files.h"

namespace gd {

namespace {

constexpr std::string_view kStagingSuffix = ".making~";
// What the resource editor puts beside the file it edits.
constexpr const char* kEditorSuffixes[] = {"", ".spool~", ".new~"};

void SplitPath(const std::string& path, std::string& folder, std::string& name) {
    folder = PathFolder(path, kNativeSeparators);
    name = PathName(path, kNativeSeparators);
}

// The process id in "<name>.<id>.making~", with anything after it (the resource editor's
// files, a copy's temporary file); 0 when `entry` is no staging file of `name`.
unsigned long StagingOwner(const std::string& entry, const std::string& name) {
    if (entry.size() <= name.size() + 1 || entry.compare(0, name.size(), name) != 0 || entry[name.size()] != '.')
        return 0;
    size_t digits_end = entry.find_first_not_of("0123456789", name.size() + 1);
    if (digits_end == name.size() + 1 || digits_end == std::string::npos) return 0;
    if (entry.compare(digits_end, kStagingSuffix.size(), kStagingSuffix) != 0) return 0;
    return std::strtoul(entry.c_str() + name.size() + 1, nullptr, 10);
}

}  // namespace

std::string StagingPathFor(const std::string& output_path, unsigned long process_id) {
    return output_path + "." + std::to_string(process_id) + std::string(kStagingSuffix);
}

StagedOutput::StagedOutput(std::string output_path)
    : output_(std::move(output_path)), staging_(StagingPathFor(output_, CurrentProcessId())) {
    for (const char* suffix : kEditorSuffixes) RegisterTemporaryFile(staging_ + suffix);
}

StagedOutput::~StagedOutput() { Discard(); }

bool StagedOutput::Publish(FileError* error) {
    if (done_) return false;
    if (!RenameReplacing(staging_, output_, error)) return false;
    Discard();
    return true;
}

void StagedOutput::Discard() {
    if (done_) return;
    done_ = true;
    for (const char* suffix : kEditorSuffixes) {
        RemoveFile(staging_ + suffix);
        ForgetTemporaryFile(staging_ + suffix);
    }
}

void RemoveStaleStagingFiles(const std::string& output_path) {
    std::string folder, name;
    SplitPath(output_path, folder, name);
    for (const std::string& entry : FolderEntries(folder)) {
        unsigned long owner = StagingOwner(entry, name);
        bool stale = owner != 0 && !ProcessIsRunning(owner);
        stale = stale || entry == name + ".spool~" || entry == name + ".new~";
        if (stale) RemoveFile(folder.empty() ? entry : JoinPath(folder, entry));
    }
}

}  // namespace gd
