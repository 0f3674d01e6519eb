#include "common/show_options.h"

#include "common/settings_values.h"

namespace gd {

LogFont DefaultBannerFont() {
    LogFont font;
    font.height = -32;
    font.weight = 400;
    font.out_precision = 2;
    font.face_name = "MS Sans Serif";
    return font;
}

namespace {

constexpr bool SameKeyAt(std::span<const OptionRow> rows, size_t i, std::string_view OptionRow::*key) {
    if ((rows[i].*key).empty()) return false;
    for (size_t j = 0; j < i; ++j)
        if (rows[j].*key == rows[i].*key) return true;
    return false;
}

constexpr std::string_view RowProblem(const OptionRow& row) {
    if (row.field.index() != MemberIndexFor(row.kind)) return "a record member of another kind";
    if (IsNumberKind(row.kind) && !InRange(row, row.default_value)) return "a default outside its range";
    if (IsNumberKind(row.kind) && !InRange(row, AbsentValue(row))) return "an absent value outside its range";
    if (row.min > row.max) return "an empty range";
    if ((row.homes & kInShowExtras) && !IsNumberKind(row.kind)) return "an extras entry that is no number";
    if (!row.ini_key.empty() && !IsNumberKind(row.kind) && row.kind != OptionKind::kEffectFlags)
        return "a settings key the settings file cannot hold";
    const bool listed = !row.maker_list.empty() || !row.runtime_list.empty();
    if (listed != (row.list_text != ListText::kNone)) return "list entries without a list text, or the reverse";
    if (row.list_text == ListText::kIndex &&
        (row.min != 0 || row.max + 1 != int64_t(row.maker_list.size()) ||
         (!row.runtime_list.empty() && row.runtime_list.size() != row.maker_list.size())))
        return "a position list whose range is not its entries";
    return {};
}

constexpr std::string_view TableProblem(std::span<const OptionRow> rows) {
    for (size_t i = 0; i < rows.size(); ++i) {
        if (size_t(rows[i].id) != i) return "a row out of its place";
        if (rows[i].key.empty() || SameKeyAt(rows, i, &OptionRow::key)) return "a key missing or used twice";
        if (SameKeyAt(rows, i, &OptionRow::ini_key)) return "a settings key used twice";
        if (std::string_view problem = RowProblem(rows[i]); !problem.empty()) return problem;
    }
    return {};
}

// The table is checked when it is compiled; the tests check the checker.
static_assert(TableProblem(kOptions).empty(), "the options table is inconsistent: see OptionTableProblem");

}  // namespace

std::string_view OptionTableProblem(std::span<const OptionRow> rows) { return TableProblem(rows); }

const OptionRow* FindOption(std::string_view key) {
    for (const OptionRow& row : kOptions)
        if (row.key == key) return &row;
    return nullptr;
}

std::string ListTextOf(const OptionRow& row, Entries entries, int32_t value) {
    switch (row.list_text) {
    case ListText::kSeconds: return SecondsText(value);
    case ListText::kMillisecondsAsSeconds: return MillisecondsAsSecondsText(value);
    case ListText::kIndex:
        return value >= 0 && size_t(value) < entries.size() ? std::string(entries[size_t(value)]) : std::string();
    case ListText::kNone: break;
    }
    return {};
}

int32_t ListValueOf(const OptionRow& row, Entries entries, std::string_view text) {
    switch (row.list_text) {
    case ListText::kSeconds: return SecondsFromText(text);
    case ListText::kMillisecondsAsSeconds: return MillisecondsFromSecondsText(text);
    case ListText::kIndex:
        for (size_t i = 0; i < entries.size(); ++i)
            if (entries[i] == text) return int32_t(i);
        return -1;
    case ListText::kNone: break;
    }
    return 0;
}

}  // namespace gd
