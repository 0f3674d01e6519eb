#include "maker/project/project_options.h"

#include "common/text_trim.h"
#include "maker/project/payload_text.h"

namespace gd {
namespace {

constexpr bool IsOptionItem(int item) {
    return item == kBannerFontItem || item == kEffectFlagsItem || (item >= kFirstOptionItem && item <= kLastOptionItem);
}

constexpr int HoldersOf(int item) {
    int n = 0;
    for (const ProjectOption& o : kProjectOptions) n += o.file_item == item ? 1 : 0;
    return n;
}

constexpr bool ColumnIsConsistent() {
    for (size_t i = 0; i < kProjectOptions.size(); ++i) {
        const ProjectOption& o = kProjectOptions[i];
        const OptionRow& row = kOptions[i];
        if (o.id != row.id || o.member.index() != row.field.index()) return false;
        if (o.file_item == kInExtensionBlock ? !IsNumberKind(row.kind) : !IsOptionItem(o.file_item)) return false;
    }
    for (int item = 1; item <= kLastOptionItem; ++item)
        if (HoldersOf(item) != (IsOptionItem(item) ? 1 : 0)) return false;
    return true;
}

// Each row's member is of its kind, each fixed item of the file that holds an option has
// exactly one, and the extension block holds numbers only (so far).
static_assert(ColumnIsConsistent(), "kProjectOptions does not match the options table or the project file");

}  // namespace

const ProjectOption* OptionAtFileItem(int item) {
    for (const ProjectOption& o : kProjectOptions)
        if (o.file_item == item && item != kInExtensionBlock) return &o;
    return nullptr;
}

void SetOptionDefaults(CParamData& project) {
    for (const ProjectOption& o : kProjectOptions) {
        const OptionRow& row = Option(o.id);
        switch (row.kind) {
        case OptionKind::kText: MemberOf<std::string>(project, o.member).clear(); break;
        case OptionKind::kFont: MemberOf<LogFont>(project, o.member) = DefaultBannerFont(); break;
        case OptionKind::kEffectFlags: MemberOf<EffectFlags>(project, o.member).fill(uint8_t(row.default_value)); break;
        default: SetNumber(project, o.member, row.default_value); break;
        }
    }
}

void SetAbsentOptions(CParamData& project) {
    for (const ProjectOption& o : kProjectOptions)
        if (o.file_item == kInExtensionBlock) SetNumber(project, o.member, AbsentValue(Option(o.id)));
}

bool ProjectEffectOn(const CParamData& project, int32_t id) {
    return EffectFlagOn(project.bEffectOn, project.nEffectCount, id);
}

void SetProjectEffectOn(CParamData& project, int32_t id, bool on) {
    if (id < 0 || size_t(id) >= project.bEffectOn.size()) return;
    if (on && id > project.nEffectCount && id <= kKnownEffects) {
        // The flags beyond the old count were never shown: they read as off until now.
        for (int32_t e = project.nEffectCount + 1; e <= kKnownEffects; ++e) project.bEffectOn[size_t(e)] = 0;
        project.nEffectCount = kKnownEffects;
    }
    project.bEffectOn[size_t(id)] = on ? 1 : 0;
}

void TrimTextOptions(CParamData& project) {
    for (const ProjectOption& o : kProjectOptions) {
        if (Option(o.id).kind != OptionKind::kText) continue;
        std::string& text = MemberOf<std::string>(project, o.member);
        text = std::string(TrimWhiteSpace(text));
    }
}

void CopyOptionsToConfig(const CParamData& project, SaverConfig& config) {
    for (const ProjectOption& o : kProjectOptions) {
        const OptionRow& row = Option(o.id);
        switch (row.kind) {
        case OptionKind::kText:
            MemberOf<std::string>(config, row.field) =
                RecordText(TrimWhiteSpace(MemberOf<std::string>(project, o.member)));
            break;
        case OptionKind::kFont:
            MemberOf<LogFont>(config, row.field) = RecordFont(MemberOf<LogFont>(project, o.member));
            break;
        case OptionKind::kEffectFlags:
            MemberOf<EffectFlags>(config, row.field) = MemberOf<EffectFlags>(project, o.member);
            break;
        default: SetNumber(config, row.field, NumberOf(project, o.member)); break;
        }
    }
}

}  // namespace gd
