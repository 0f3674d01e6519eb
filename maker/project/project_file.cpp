#include "maker/project/project_file.h"

#include "common/archive_string.h"
#include "common/byte_io.h"
#include "common/code_page.h"
#include "common/unicode_text.h"
#include "maker/project/file_io.h"
#include "maker/project/path_rules.h"
#include "maker/project/payload_text.h"
#include "maker/project/project_options.h"

namespace gd {

namespace {

constexpr std::string_view kCantFind = "can't find!";

void WriteReserved(ByteWriter& out, const ReservedFields& r) {
    out.I32(r.n1);
    WriteArchiveString(out, r.sz1);
    for (int32_t v : r.n2) out.I32(v);
    WriteArchiveString(out, r.sz2);
    for (int32_t v : r.n3) out.I32(v);
    WriteArchiveString(out, r.sz3);
    WriteArchiveString(out, r.sz4);
    out.Bytes(r.bytes);
}

// A font's face name is a fixed field of code-page bytes in the file, as in the records.
std::optional<LogFont> ReadFont(ByteReader& in) {
    auto font = ReadLogFont(in);
    if (!font) return std::nullopt;
    return FontFromRecord(std::move(*font));
}

// The longest start of a UTF-8 text that fits `limit` bytes without splitting a character.
std::string_view CutUtf8(std::string_view text, size_t limit) {
    size_t n = 0;
    while (n < text.size()) {
        size_t next = n + DecodeUtf8(text, n).length;
        if (next > limit) break;
        n = next;
    }
    return text.substr(0, n);
}

// The face name as the file stores it: its code-page bytes when they read back as that
// name. A name the code page lacks, or whose code-page bytes would read as UTF-8 ("Ã©" is
// C3 A9), keeps its UTF-8 bytes instead, which ReadFont takes as they are. The field has
// no room for a wide form: a name longer than it is cut there, between characters, and
// the extension block keeps it whole (project_extension.h).
LogFont FileFont(const LogFont& font) {
    LogFont out = font;
    CodePageResult narrow = Utf8ToCodePage(font.face_name);
    std::string_view bytes = std::string_view(narrow.bytes).substr(0, kFaceNameLimit);
    if (narrow.ok() && NarrowFileTextToUtf8(bytes) == CodePageToUtf8(bytes))
        out.face_name = bytes;
    else
        out.face_name = CutUtf8(font.face_name, kFaceNameLimit);
    return out;
}

}  // namespace

bool FileKeepsFaceName(const LogFont& font) { return FontFromRecord(FileFont(font)).face_name == font.face_name; }

namespace {

void WritePicture(ByteWriter& out, const CPictureData& p) {
    WriteLogFont(out, FileFont(p.lfCaptionFont));
    WriteArchiveString(out, p.szFile);
    WriteArchiveString(out, p.szCaption);
    out.U32(p.crCaptionColor);
    out.I32(p.nCaptionPos);
}

// The option a fixed item of the file holds, written as its kind is.
void WriteOptionItem(ByteWriter& out, const CParamData& project, int item) {
    const ProjectOption& o = *OptionAtFileItem(item);
    switch (Option(o.id).kind) {
    case OptionKind::kText: WriteArchiveString(out, MemberOf<std::string>(project, o.member)); break;
    case OptionKind::kFont: WriteLogFont(out, FileFont(MemberOf<LogFont>(project, o.member))); break;
    case OptionKind::kEffectFlags: out.Bytes(MemberOf<EffectFlags>(project, o.member)); break;
    default: out.I32(int32_t(NumberOf(project, o.member))); break;
    }
}

// Removes the entries whose path is empty or names no existing file, appending each
// removed path and a line feed to `missing`.
template <class T, class PathOf> void DropMissing(std::vector<T>& list, PathOf path_of, std::string& missing) {
    std::erase_if(list, [&](const T& item) {
        const std::string& path = path_of(item);
        if (PathExists(path)) return false;
        missing += path;
        missing += '\n';
        return true;
    });
}

void ReportMissing(const std::string& missing, MessageSink& sink) {
    if (!missing.empty()) sink.ShowMessage(missing + std::string(kCantFind));
}

// A count read from the file, refused when negative or when the remaining bytes cannot
// hold that many entries of at least `min_entry` bytes.
bool ReadCount(ByteReader& in, size_t min_entry, int32_t& count) {
    count = in.I32();
    return in.ok() && count >= 0 && size_t(count) <= in.remaining() / min_entry;
}

bool ReadString(ByteReader& in, std::string& value) {
    auto s = ReadArchiveString(in);
    if (!s) return false;
    value = std::move(*s);
    return true;
}

bool ReadPicture(ByteReader& in, CPictureData& p) {
    auto font = ReadFont(in);
    if (!font) return false;
    p.lfCaptionFont = std::move(*font);
    if (!ReadString(in, p.szFile) || !ReadString(in, p.szCaption)) return false;
    p.crCaptionColor = in.U32();
    p.nCaptionPos = in.I32();
    return in.ok();
}

bool ReadReserved(ByteReader& in, ReservedFields& r) {
    r.n1 = in.I32();
    if (!ReadString(in, r.sz1)) return false;
    for (int32_t& v : r.n2) v = in.I32();
    if (!ReadString(in, r.sz2)) return false;
    for (int32_t& v : r.n3) v = in.I32();
    if (!ReadString(in, r.sz3) || !ReadString(in, r.sz4)) return false;
    auto bytes = in.Bytes(r.bytes.size());
    if (!in.ok()) return false;
    std::copy(bytes.begin(), bytes.end(), r.bytes.begin());
    return true;
}

// Reads the option of a fixed item into the project; false when the bytes end first.
bool ReadOptionItem(ByteReader& in, CParamData& project, int item) {
    const ProjectOption& o = *OptionAtFileItem(item);
    switch (Option(o.id).kind) {
    case OptionKind::kText: return ReadString(in, MemberOf<std::string>(project, o.member));
    case OptionKind::kFont: {
        auto font = ReadFont(in);
        if (font) MemberOf<LogFont>(project, o.member) = std::move(*font);
        return font.has_value();
    }
    case OptionKind::kEffectFlags: {
        auto bytes = in.Bytes(kEffectFlagCount);
        std::copy(bytes.begin(), bytes.end(), MemberOf<EffectFlags>(project, o.member).begin());
        return in.ok();
    }
    default: SetNumber(project, o.member, in.I32()); return in.ok();
    }
}

// The smallest picture entry: a font, two empty texts, colour and position.
constexpr size_t kMinPictureEntry = kLogFontSize + 1 + 1 + 4 + 4;

}  // namespace

std::string ProjectFileErrorText(ProjectFileResult result, const std::string& path, const std::string& reason) {
    std::string text;
    switch (result) {
    case ProjectFileResult::kOk: return {};
    case ProjectFileResult::kOpenFailed: text = "Cannot open the project file " + path; break;
    case ProjectFileResult::kReadFailed: text = "The project file " + path + " is damaged or incomplete"; break;
    case ProjectFileResult::kWriteFailed: text = "Cannot save the project file " + path; break;
    case ProjectFileResult::kBadName: text = "The project was not saved to " + path; break;
    }
    return reason.empty() ? text + "." : text + ": " + reason;
}

std::vector<uint8_t> StoreProject(CParamData& project, MessageSink& sink) {
    ByteWriter out;
    WriteOptionItem(out, project, kBannerFontItem);

    std::string missing;
    DropMissing(project.pictureList, [](const CPictureData& p) -> const std::string& { return p.szFile; }, missing);
    ReportMissing(missing, sink);
    out.I32(int32_t(project.pictureList.size()));
    for (const auto& p : project.pictureList) WritePicture(out, p);

    DropMissing(project.musicList, [](const std::string& m) -> const std::string& { return m; }, missing);
    ReportMissing(missing, sink);
    out.I32(int32_t(project.musicList.size()));
    for (const auto& m : project.musicList) WriteArchiveString(out, m);

    WriteOptionItem(out, project, kEffectFlagsItem);
    for (const std::string* s : {&project.szName, &project.szAuthor, &project.szEmail, &project.szHomePage,
                                 &project.szCopyright, &project.szDescription, &project.szIconFile})
        WriteArchiveString(out, *s);
    out.I32(project.bSelfInstall);
    WriteArchiveString(out, project.szOutputFolder);
    for (int item = kFirstOptionItem; item <= kLastOptionItem; ++item) WriteOptionItem(out, project, item);
    WriteReserved(out, project.reserved);
    WriteExtensionBlock(out, project);
    return out.Take();
}

bool LoadProject(std::span<const uint8_t> bytes, CParamData& project, MessageSink& sink) {
    ByteReader in(bytes);
    if (!ReadOptionItem(in, project, kBannerFontItem)) return false;
    project.pictureList.clear();
    project.musicList.clear();

    std::string missing;
    int32_t count = 0;
    if (!ReadCount(in, kMinPictureEntry, count)) return false;
    for (int32_t i = 0; i < count; ++i) {
        CPictureData picture;
        if (!ReadPicture(in, picture)) return false;
        if (PathExists(picture.szFile))
            project.pictureList.push_back(std::move(picture));
        else
            missing += picture.szFile + '\n';
    }
    if (!ReadCount(in, 1, count)) return false;
    for (int32_t i = 0; i < count; ++i) {
        std::string music;
        if (!ReadString(in, music)) return false;
        if (PathExists(music))
            project.musicList.push_back(std::move(music));
        else
            missing += music + '\n';
    }

    if (!ReadOptionItem(in, project, kEffectFlagsItem)) return false;
    for (std::string* s : {&project.szName, &project.szAuthor, &project.szEmail, &project.szHomePage,
                           &project.szCopyright, &project.szDescription, &project.szIconFile})
        if (!ReadString(in, *s)) return false;
    project.bSelfInstall = in.I32();
    if (!ReadString(in, project.szOutputFolder)) return false;
    for (int item = kFirstOptionItem; item <= kLastOptionItem; ++item)
        if (!ReadOptionItem(in, project, item)) return false;
    if (!ReadReserved(in, project.reserved)) return false;

    ReportMissing(missing, sink);
    ReadExtensionBlock(in.Bytes(in.remaining()), project, sink);
    return true;
}

ProjectFileResult OpenProjectFile(const std::string& path, CParamData& project, MessageSink& sink,
                                  FileError* error) {
    std::vector<uint8_t> bytes;
    switch (ReadWholeFile(path, bytes, error)) {
    case ReadFileStatus::kOpenFailed: return ProjectFileResult::kOpenFailed;
    case ReadFileStatus::kReadFailed: return ProjectFileResult::kReadFailed;
    case ReadFileStatus::kOk: break;
    }
    CParamData loaded;
    if (!bytes.empty() && !LoadProject(bytes, loaded, sink)) return ProjectFileResult::kReadFailed;
    project = std::move(loaded);
    return ProjectFileResult::kOk;
}

ProjectFileResult SaveProjectFile(const std::string& path, CParamData& project, MessageSink& sink,
                                  FileError* error) {
    std::vector<uint8_t> bytes = StoreProject(project, sink);
    return WriteFileReplacing(path, bytes, error) ? ProjectFileResult::kOk : ProjectFileResult::kWriteFailed;
}

}  // namespace gd
