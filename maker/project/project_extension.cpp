#include "maker/project/project_extension.h"

#include "maker/project/param_data.h"
#include "maker/project/project_file.h"
#include "maker/project/project_options.h"

namespace gd {
namespace {

bool InBlock(const ProjectOption& o) { return o.file_item == kInExtensionBlock; }

constexpr std::string_view kBannerFaceKey = "lfBanner.lfFaceName";
constexpr std::string_view kCaptionFacePrefix = "pictureList[";
constexpr std::string_view kCaptionFaceSuffix = "].lfCaptionFont.lfFaceName";

std::string CaptionFaceKey(size_t picture) {
    return std::string(kCaptionFacePrefix) + std::to_string(picture) + std::string(kCaptionFaceSuffix);
}

// The face names the fixed fields cannot keep whole, as text entries.
std::vector<KeyedEntry> LongFaceNames(const CParamData& project) {
    std::vector<KeyedEntry> entries;
    if (!FileKeepsFaceName(project.lfBanner)) entries.push_back(Text16Entry(kBannerFaceKey, project.lfBanner.face_name));
    for (size_t i = 0; i < project.pictureList.size(); ++i) {
        const LogFont& font = project.pictureList[i].lfCaptionFont;
        if (!FileKeepsFaceName(font)) entries.push_back(Text16Entry(CaptionFaceKey(i), font.face_name));
    }
    return entries;
}

// The font a face name entry is for, or nullptr when the key names none.
LogFont* FontOfFaceKey(std::string_view key, CParamData& project) {
    if (key == kBannerFaceKey) return &project.lfBanner;
    if (!key.starts_with(kCaptionFacePrefix) || !key.ends_with(kCaptionFaceSuffix)) return nullptr;
    const std::string_view digits =
        key.substr(kCaptionFacePrefix.size(), key.size() - kCaptionFacePrefix.size() - kCaptionFaceSuffix.size());
    if (digits.empty() || digits.size() > 6 || digits.find_first_not_of("0123456789") != std::string_view::npos)
        return nullptr;
    const size_t picture = std::stoul(std::string(digits));
    return picture < project.pictureList.size() ? &project.pictureList[picture].lfCaptionFont : nullptr;
}

// A block is needed when an option of it differs from what a file without one reads as,
// when a face name is too long for its field, or when the file read had one with
// something this version keeps.
bool NeedsBlock(const CParamData& project) {
    for (const ProjectOption& o : kProjectOptions)
        if (InBlock(o) && NumberOf(project, o.member) != AbsentValue(Option(o.id))) return true;
    return !project.extension.empty() || !LongFaceNames(project).empty();
}

bool IsKnownKey(std::string_view key) {
    for (const ProjectOption& o : kProjectOptions)
        if (InBlock(o) && Option(o.id).key == key) return true;
    return key == kBannerFaceKey || (key.starts_with(kCaptionFacePrefix) && key.ends_with(kCaptionFaceSuffix));
}

}  // namespace

std::string DamagedExtensionText() {
    std::string keys;
    for (const ProjectOption& o : kProjectOptions)
        if (InBlock(o)) keys += (keys.empty() ? "" : ", ") + std::string(Option(o.id).key);
    return "The settings at the end of this project file are damaged and were not read; they have the values of "
           "a project saved before them (" + keys + ").";
}

void WriteExtensionBlock(ByteWriter& out, const CParamData& project) {
    if (!NeedsBlock(project)) return;
    std::vector<KeyedEntry> entries;
    bool first = true;
    for (const ProjectOption& o : kProjectOptions) {
        if (!InBlock(o)) continue;
        // The first entry always, as the block has been written since it began; a later
        // one only when it says something, so a block read from an earlier version is
        // written back byte for byte.
        const int64_t value = NumberOf(project, o.member);
        if (first || value != AbsentValue(Option(o.id))) entries.push_back(Int32Entry(Option(o.id).key, int32_t(value)));
        first = false;
    }
    const std::vector<KeyedEntry> faces = LongFaceNames(project);
    entries.insert(entries.end(), faces.begin(), faces.end());
    const auto& kept = project.extension.unknown_entries;
    entries.insert(entries.end(), kept.begin(), kept.end());
    out.Bytes(EncodeKeyedRecord(kProjectExtensionMagic, entries));
    out.Bytes(project.extension.trailing);
}

void ReadExtensionBlock(std::span<const uint8_t> rest, CParamData& project, MessageSink& sink) {
    SetAbsentOptions(project);
    project.extension = {};
    if (!StartsWithMagic(kProjectExtensionMagic, rest)) return;  // no block: whatever it is, as always
    auto record = DecodeKeyedRecord(kProjectExtensionMagic, rest);
    if (!record) {
        sink.ShowMessage(DamagedExtensionText());
        return;
    }
    for (const ProjectOption& o : kProjectOptions) {
        if (!InBlock(o)) continue;
        const KeyedEntry* entry = FindEntry(record->entries, Option(o.id).key);
        auto value = entry ? Int32Value(*entry) : std::nullopt;
        if (value && InRange(Option(o.id), *value)) SetNumber(project, o.member, *value);
    }
    // A whole face name, when its start is what the fixed field kept (a name the field
    // holds whole again is written without an entry).
    for (const KeyedEntry& e : record->entries) {
        LogFont* font = FontOfFaceKey(e.key, project);
        std::optional<std::string> face = font ? Text16Value(e) : std::nullopt;
        if (face && face->starts_with(font->face_name)) font->face_name = *face;
    }
    for (KeyedEntry& e : record->entries)
        if (!IsKnownKey(e.key)) project.extension.unknown_entries.push_back(std::move(e));
    project.extension.trailing.assign(rest.begin() + std::ptrdiff_t(record->size), rest.end());
}

}  // namespace gd
