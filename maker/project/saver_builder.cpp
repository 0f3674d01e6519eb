#include "maker/project/saver_builder.h"

#include <cstdio>
#include <ctime>

#include "common/caption_record.h"
#include "common/caption_texts.h"
#include "common/character_count.h"
#include "common/guid.h"
#include "common/music_entry.h"
#include "common/resource_types.h"
#include "common/saver_extras.h"
#include "common/text_trim.h"
#include "maker/project/file_io.h"
#include "maker/project/ordered_encoder.h"
#include "maker/project/path_rules.h"
#include "maker/project/project_options.h"
#include "maker/project/payload_text.h"
#include "maker/project/picture_dates.h"
#include "maker/project/skipped_inputs.h"
#include "maker/project/staged_output.h"

namespace gd {

namespace {

std::string LocalTimeText() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

// A fresh identifier, or the empty text (a zero field) when no GUID can be made.
std::string MakeUniqueId() {
    auto guid = CreateGuid();
    return guid ? FormatSaverIdentifier(*guid) : std::string();
}

const char* PictureFailureLine(PictureOutcome outcome) {
    switch (outcome) {
    case PictureOutcome::kLoadFailed: return "Fail to load picture : ";
    case PictureOutcome::kGifOpenFailed: return "The picture file is not exist: ";
    case PictureOutcome::kGifReadFailed:
    case PictureOutcome::kEncodeFailed: return "Fail to load picture: ";
    case PictureOutcome::kOk: break;
    }
    return "";
}

}  // namespace

std::string OutputPathFor(const CParamData& project) {
    return JoinPath(project.szOutputFolder, project.szName) + (project.bSelfInstall == 1 ? ".exe" : ".scr");
}

std::string TemplatePathFor(const std::string& program_folder) {
    return JoinPath(JoinPath(program_folder, "data"), "data1.dat");
}

SaverConfig MakeSaverConfig(const CParamData& project, int picture_count, int music_count,
                            const std::string& identifier, const std::string& build_time) {
    SaverConfig c;
    c.identifier = identifier;
    c.name = RecordText(project.szName);
    c.author = RecordText(project.szAuthor);
    c.email = RecordText(project.szEmail);
    c.home_page = RecordText(project.szHomePage);
    c.copyright = RecordText(project.szCopyright);
    c.description = RecordText(project.szDescription);
    c.build_time = build_time;
    c.has_music = music_count > 0 ? 1 : 0;
    c.music_count = music_count;
    c.has_pictures = picture_count > 0 ? 1 : 0;
    c.picture_count = picture_count;
    CopyOptionsToConfig(project, c);
    c.texts = UnicodeTexts(project);
    return c;
}

CaptionRecord MakeCaptionRecord(const CPictureData& picture, std::string_view shown) {
    const std::string_view text = TrimWhiteSpace(CutToCharacters(TrimWhiteSpace(shown), kCaptionTextLimit));
    return {RecordFont(picture.lfCaptionFont), picture.crCaptionColor, picture.nCaptionPos, RecordText(text),
            CaptionTexts{std::string(text), picture.lfCaptionFont.face_name}};
}

CaptionRecord MakeCaptionRecord(const CParamData& project, const CPictureData& picture) {
    return MakeCaptionRecord(picture, CaptionAsMade(picture, project.bCaptionFields != 0));
}

CSaverBuilder::CSaverBuilder(CParamData& project, std::string program_folder, BuildLogMailbox& log,
                             BuildServices services)
    : project_(project),
      program_folder_(std::move(program_folder)),
      log_(log),
      services_(services),
      output_path_(OutputPathFor(project)) {}

CSaverBuilder::~CSaverBuilder() { Join(); }

void CSaverBuilder::Start() {
    worker_ = std::thread([this] { Run(); });
}

void CSaverBuilder::Join() {
    if (worker_.joinable()) worker_.join();
}

void CSaverBuilder::Fail(const std::string& line, const std::string& reason) {
    log_.Post(line);
    if (!reason.empty()) log_.Post("Reason: " + reason);
}

std::string CSaverBuilder::Reason(const FileError& error, const std::string& staging) const {
    return (error.path == staging ? output_path_ : error.path) + ": " + error.text;
}

std::string CSaverBuilder::Reason(const ResourceTarget& target) const {
    return output_path_ + ": " + target.FailureReason();
}

void CSaverBuilder::Run() {
    succeeded_ = false;
    picture_count_ = music_count_ = 0;
    skipped_pictures_.clear();
    skipped_music_.clear();
    RemoveStaleStagingFiles(output_path_);
    {
        // Whatever happens below, the output is replaced only by a complete screensaver;
        // the staging files go when `staged` does.
        StagedOutput staged(output_path_);
        Build(staged);
    }
    log_.End();
}

void CSaverBuilder::Build(StagedOutput& staged) {
    const std::string template_path = TemplatePathFor(program_folder_);
    FileError error;
    if (!CopyFileReplacing(template_path, staged.path(), &error))
        return Fail("Fail to write file,exit making!", Reason(error, staged.path()));
    auto target = services_.resources.Open(staged.path());
    if (!target) return Fail("Fail to write file,exit making!", template_path + ": not a program file the maker can write");
    if (!project_.szIconFile.empty()) target->ReplaceIcon(project_.szIconFile);
    // An entry that cannot be written means the output cannot be: the build ends.
    if (!WritePictures(*target) || (picture_count_ > 0 && !WriteMusic(*target)))
        return Fail("Fail to write file,exit making!");
    if (picture_count_ == 0) return Fail("Fail! No picture writed.  Exit making.");
    if (!WriteConfiguration(*target)) return Fail("Fail to write configuration!", Reason(*target));
    if (!staged.Publish(&error)) return Fail("Fail to write file,exit making!", Reason(error, staged.path()));
    log_.Post("Added screensaver configuration!");
    succeeded_ = true;
    OfferDefaultSaver();
    LogFinalLines();
}

bool CSaverBuilder::WritePictures(ResourceTarget& target) {
    const size_t count = project_.pictureList.size();
    pictures_total_ = int(count);
    std::vector<PictureJob> jobs;
    jobs.reserve(count);
    const PictureShape shape{project_.crBgColor, project_.nFitWidth, project_.nFitHeight, project_.bTrueColours != 0};
    for (const auto& p : project_.pictureList) jobs.push_back({p.szFile, p.GetImageType(), shape});
    OrderedEncoder encoder(services_.encoder, std::move(jobs), services_.encode_threads);
    for (size_t i = 0; i < count; ++i) {
        CPictureData& picture = project_.pictureList[i];
        PictureEntry entry = encoder.Next();
        if (entry.outcome != PictureOutcome::kOk) {
            Fail(PictureFailureLine(entry.outcome) + picture.szFile, entry.reason);
            skipped_pictures_.push_back(picture.szFile);
        } else if (uint16_t id = uint16_t(picture_count_); !target.Write(RT_SAVER_PICTURE, id, entry.bytes)) {
            Fail("Fail to add picture: " + picture.szFile, Reason(target));
            return false;
        } else {
            log_.Post("Added picture: " + picture.szFile);
            ++picture_count_;
            if (!WriteCaption(target, picture, id)) return false;
        }
        ++pictures_handled_;
    }
    return true;
}

bool CSaverBuilder::WriteCaption(ResourceTarget& target, CPictureData& picture, uint16_t id) {
    picture.szCaption = std::string(TrimWhiteSpace(picture.szCaption));
    // The project keeps the caption as typed; the screensaver gets it filled in, and no
    // caption at all when that leaves nothing to show ("{folder}" of a file in a root).
    const std::string shown = CaptionAsMade(picture, project_.bCaptionFields != 0);
    if (TrimWhiteSpace(shown).empty()) return true;
    const CaptionRecord caption = MakeCaptionRecord(picture, shown);
    if (target.Write(RT_SAVER_CAPTION, id, EncodeCaptionRecord(caption)) &&
        target.Write(RT_SAVER_CAPTION_TEXTS, id, EncodeCaptionTexts(*caption.texts)))
        return true;
    log_.Post("Reason: " + Reason(target));
    return false;
}

bool CSaverBuilder::WriteMusic(ResourceTarget& target) {
    for (const std::string& path : project_.musicList) {
        MusicEntry entry;
        entry.extension = MusicExtensionTag(RecordText(path));
        FileError error;
        switch (ReadWholeFile(path, entry.data, &error)) {
        case ReadFileStatus::kOpenFailed:
            Fail("The music file is not exists: " + path, error.text);
            skipped_music_.push_back(path);
            continue;
        case ReadFileStatus::kReadFailed:
            Fail("Fail to open music file: " + path, error.text);
            skipped_music_.push_back(path);
            continue;
        case ReadFileStatus::kOk: break;
        }
        if (!target.Write(RT_SAVER_MUSIC, uint16_t(music_count_), EncodeMusicEntry(entry))) {
            Fail("Fail to add music file: " + path, Reason(target));
            return false;
        }
        log_.Post("Added music: " + path);
        ++music_count_;
    }
    return true;
}

bool CSaverBuilder::WriteConfiguration(ResourceTarget& target) {
    TrimTextOptions(project_);
    SaverConfig config = MakeSaverConfig(project_, picture_count_, music_count_, MakeUniqueId(), LocalTimeText());
    // The configuration record goes last, after the extras that complete it; the batch
    // reaches the file at the commit: a failed one leaves no usable screensaver.
    return target.Write(RT_SAVER_EXTRAS, kSaverExtrasId, EncodeSaverExtras(config)) &&
           target.Write(RT_SAVER_CONFIG, kSaverConfigId, EncodeSaverConfig(config)) && target.Commit();
}

void CSaverBuilder::OfferDefaultSaver() {
    if (services_.questions.Ask("Do you want to set " + project_.szName + " as your default screensaver?   "))
        SetAsDefaultSaver();
}

void CSaverBuilder::SetAsDefaultSaver() {
    ScreensaverPlatform& platform = services_.platform;
    if (!platform.CanSetDefaultSaver()) {
        services_.questions.ShowMessage("Setting the default screensaver is not available on this platform.");
        return;
    }
    DefaultSaverInstall install = platform.InstallDefaultSaver(output_path_, project_.szName, [&](const std::string&) {
        return services_.questions.AskToReplace("The Screensaver " + project_.szName +
                                       " already exists.   \nDo you want to replace it?   ");
    });
    if (install.status == DefaultSaverInstall::Status::kDeclined) return;
    if (install.status == DefaultSaverInstall::Status::kInstalled) {
        // Where it went, so a user whose system folder refused finds the file.
        if (!install.activated)
            log_.Post("Copied the screensaver to " + install.path);
        else if (install.for_current_user)
            log_.Post("Set as default screensaver for the current user (the system folder is not writable): " +
                      install.path);
        else
            log_.Post("Set as default screensaver: " + install.path);
    }
    if (install.status != DefaultSaverInstall::Status::kInstalled || !install.activated)
        services_.questions.ShowMessage("Fail to set " + project_.szName + " as your default sreensaver!");
}

void CSaverBuilder::LogFinalLines() {
    char size[64];
    std::snprintf(size, sizeof size, "Screensaver final size : %.2f M", double(FileSize(output_path_)) / 1048576.0);
    log_.Post(size);
    log_.Post("Make screensaver succeed : " + output_path_);
    // Said last, where the eye lands when the log ends.
    for (const std::string& line : SkippedLines()) log_.Post(line);
}

std::vector<std::string> CSaverBuilder::SkippedLines() const {
    std::vector<std::string> lines;
    if (!succeeded_) return lines;
    if (std::string line = SkippedPicturesLine(skipped_pictures_, project_.pictureList.size()); !line.empty())
        lines.push_back(line);
    if (std::string line = SkippedMusicLine(skipped_music_, project_.musicList.size()); !line.empty())
        lines.push_back(line);
    return lines;
}

}  // namespace gd
