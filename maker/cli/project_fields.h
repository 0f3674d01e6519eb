#pragma once
// The fields of a project by their names, for `glimmerdeck show` and `glimmerdeck set`.
// Names are the field names of CParamData; a font's members and a picture's fields are
// reached with a dot ("lfBanner.lfHeight", "pictureList[0].szCaption"; "pictureList[*]"
// sets one field of every picture), one effect flag by its index ("bEffectOn[12]"), one
// music file by its place ("musicList[1]"). Colours are shown as #RRGGBB and read as
// #RRGGBB, 0xBBGGRR (red in the low byte, as stored) or a decimal number; positions are
// shown as numbers and read as numbers or names ("bottom-center", "top").

#include <cstdint>
#include <string>
#include <vector>

#include "maker/project/param_data.h"

namespace gd::cli {

enum class FieldKind { kText, kFlag, kInt, kColor, kByte, kEffects, kCaptionPos, kBannerPos };

struct ProjectField {
    std::string group;   // "" for a field of its own, else the record it belongs to
    std::string member;  // the field's name within its group
    FieldKind kind = FieldKind::kInt;
    void* value = nullptr;  // std::string, int32_t, ColorRef, uint8_t or the effect array
    int64_t min = 0, max = 0;  // integer range; for texts the byte limit (max 0: none)
    bool settable = true;
    std::string not_settable_reason;

    std::string name() const { return group.empty() ? member : group + "." + member; }
};

// The fields of the project outside its lists, in declaration order.
std::vector<ProjectField> ParamFields(CParamData& project);
// The fields of one picture, grouped under "pictureList[index]".
std::vector<ProjectField> PictureFields(CPictureData& picture, size_t index);

// The value as `show` prints it and `set` reads it back.
std::string FieldText(const ProjectField& field);


// Sets one KEY=VALUE. Returns an empty text on success, else what is wrong.
std::string SetProjectField(CParamData& project, const std::string& key, const std::string& value);

// Every field as KEY=VALUE lines, or as one JSON object. In the lines, a field 'set'
// cannot change (the counts, the reserved fields) is marked by a leading "# ".
std::string ProjectAsText(CParamData& project);
std::string ProjectAsJson(CParamData& project);

}  // namespace gd::cli
