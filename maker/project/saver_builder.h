#pragma once
// Make SCR: turns a project into a stand-alone screensaver file. The template program is
// copied to a staging file beside the output, then the icon, the pictures (with their
// captions), the music and last the configuration record are written into the copy as
// resources, in one batch; only the complete file is renamed over the output, so a build
// that fails or is interrupted leaves the output that was there as it was. A picture or
// music file that cannot be read is skipped; an entry that cannot be written to the
// output (a full disk) ends the build as failed. Every event becomes one log line, handed
// over through the BuildLogMailbox; a failure with a known cause is followed by a line
// "Reason: " and the cause (the file and the system's text).
//
// Pictures are decoded and encoded on several threads, but their entries, ids and log
// lines follow the project's list order exactly; at most one picture per encoding thread
// is held in memory at a time.

#include <atomic>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "common/caption_record.h"
#include "common/saver_config.h"
#include "maker/project/build_hooks.h"
#include "maker/project/build_log.h"
#include "maker/project/file_io.h"
#include "maker/project/param_data.h"
#include "maker/project/staged_output.h"

namespace gd {

struct BuildServices {
    const PictureEncoder& encoder;
    ResourceTargetFactory& resources;
    BuildQuestions& questions;
    ScreensaverPlatform& platform;
    int encode_threads = 2;
};

// "<folder>/<name>.exe" for a self-installing screensaver, ".scr" otherwise; nothing is
// normalised.
std::string OutputPathFor(const CParamData& project);

// The runtime template in the program folder: data/data1.dat.
std::string TemplatePathFor(const std::string& program_folder);

// The configuration record of a build that wrote the given numbers of entries, with its
// texts in Unicode and their best-fit Western form. The banner is stored trimmed; the
// identifier and build time are given by the caller.
SaverConfig MakeSaverConfig(const CParamData& project, int picture_count, int music_count,
                            const std::string& identifier, const std::string& build_time);

// The caption record of a picture showing the caption text `shown`: trimmed and cut to
// kCaptionTextLimit characters, in Unicode (texts, for the caption's text record) and in
// best-fit code-page bytes with the font's face name (the record cuts the text to its
// field).
CaptionRecord MakeCaptionRecord(const CPictureData& picture, std::string_view shown);
// The same for the picture's own caption as the project makes it (CaptionAsMade).
CaptionRecord MakeCaptionRecord(const CParamData& project, const CPictureData& picture);

class CSaverBuilder {
public:
    // The builder borrows the project for the whole build and trims its name, captions
    // and banner in place.
    CSaverBuilder(CParamData& project, std::string program_folder, BuildLogMailbox& log, BuildServices services);
    ~CSaverBuilder();
    CSaverBuilder(const CSaverBuilder&) = delete;
    CSaverBuilder& operator=(const CSaverBuilder&) = delete;

    // Runs every step on the calling thread; the mailbox's End() closes it.
    void Run();
    // Runs Run() on a worker thread; the destructor waits for it.
    void Start();
    void Join();

    const std::string& OutputPath() const { return output_path_; }
    bool Succeeded() const { return succeeded_; }
    int PictureCount() const { return picture_count_; }
    int MusicCount() const { return music_count_; }
    // The lines about the pictures and music files left out of a made screensaver
    // ("2 of 40 pictures could not be used: ..."), also the log's last lines; empty when
    // nothing was left out or the build failed.
    std::vector<std::string> SkippedLines() const;
    // Progress for a display: pictures handled so far (written or failed) of the total.
    int PicturesHandled() const { return pictures_handled_.load(); }
    int PicturesTotal() const { return pictures_total_.load(); }

private:
    void Build(StagedOutput& staged);
    // False when the output cannot be written (logged with the reason); the build ends.
    bool WritePictures(ResourceTarget& target);
    bool WriteCaption(ResourceTarget& target, CPictureData& picture, uint16_t id);
    bool WriteMusic(ResourceTarget& target);
    bool WriteConfiguration(ResourceTarget& target);
    void OfferDefaultSaver();
    void SetAsDefaultSaver();
    void LogFinalLines();
    // Logs the line, then "Reason: " and the reason when there is one.
    void Fail(const std::string& line, const std::string& reason = {});
    // "<file>: <system text>", naming the output for its staging file.
    std::string Reason(const FileError& error, const std::string& staging) const;
    std::string Reason(const ResourceTarget& target) const;

    CParamData& project_;
    std::string program_folder_;
    BuildLogMailbox& log_;
    BuildServices services_;
    std::string output_path_;
    int picture_count_ = 0;
    int music_count_ = 0;
    std::vector<std::string> skipped_pictures_;
    std::vector<std::string> skipped_music_;
    bool succeeded_ = false;
    std::atomic<int> pictures_handled_{0};
    std::atomic<int> pictures_total_{0};
    std::thread worker_;
};

}  // namespace gd
