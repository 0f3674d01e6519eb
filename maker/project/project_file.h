#pragma once
// Project files (.psm): the serialized CParamData and nothing else, field by field in a
// fixed order, then, only when the project needs one, the extension block with the
// options the fixed order has no item for (project_extension.h). Missing picture and
// music files are dropped on save and on load, and the dropped paths are reported to a
// message sink followed by "can't find!".

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "maker/project/file_io.h"
#include "maker/project/message_sink.h"
#include "maker/project/param_data.h"

namespace gd {

enum class ProjectFileResult {
    kOk,
    kOpenFailed,   // the file could not be opened or read at all
    kReadFailed,   // the file ends early or holds an impossible value
    kWriteFailed,  // the new file could not be written; any previous file is untouched
    kBadName,      // not saved: the screensaver name holds a character a file name cannot
};

// Whether the fixed field of a font in the file keeps its face name whole; a longer name
// is kept whole by the extension block.
bool FileKeepsFaceName(const LogFont& font);

// The text the maker shows for a failed open, read or save of `path`, followed by the
// system's reason when there is one ("... p.psm: Permission denied").
std::string ProjectFileErrorText(ProjectFileResult result, const std::string& path, const std::string& reason = {});

// Serializes the project. Pictures and music files that are empty or name no existing
// file are removed from the project first and reported (the pictures once after the
// picture check, then again with the music after the music check).
std::vector<uint8_t> StoreProject(CParamData& project, MessageSink& sink);

// Decodes a whole project file into `project`, which should be a fresh one: every field
// of the file is read, and the options of the extension block take the values a file
// without one stands for unless it holds them. Missing files are left out and
// reported in one message, only when the whole file decodes. False when the bytes end
// before the last field or hold an impossible value; `project` is then half-filled and
// must be thrown away.
bool LoadProject(std::span<const uint8_t> bytes, CParamData& project, MessageSink& sink);

// Reads the file into a new project and, only when that succeeds, replaces `project`
// with it. A zero-length file opens as a new project.
ProjectFileResult OpenProjectFile(const std::string& path, CParamData& project, MessageSink& sink,
                                  FileError* error = nullptr);

// Replaces the file's content through a temporary file beside it (WriteFileReplacing), so
// a failed save leaves the previous file as it was; a link is saved through.
ProjectFileResult SaveProjectFile(const std::string& path, CParamData& project, MessageSink& sink,
                                  FileError* error = nullptr);

}  // namespace gd
