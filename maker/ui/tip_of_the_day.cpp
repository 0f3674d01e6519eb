#include "maker/ui/tip_of_the_day.h"

namespace gd {

namespace {
// A message in place of a tip, under the default header.
Tip MessageTip(std::string_view text) {
    Tip tip;
    tip.text = std::string(text);
    return tip;
}
}  // namespace

TipOfTheDay::TipOfTheDay(std::optional<TipsFileContent> file, UserSettings& settings) : settings_(settings) {
    show_at_startup_ = settings_.GetInt(kTipSection, "StartUp", 0) == 0;
    if (!file) {
        tip_ = MessageTip(kTipsMissingText);
        return;
    }
    file_.emplace(std::move(file->bytes));
    int64_t start = 0;
    if (settings_.GetString(kTipSection, "TimeStamp") != file->time_stamp)
        settings_.SetString(kTipSection, "TimeStamp", file->time_stamp);
    else
        start = settings_.GetInt(kTipSection, "FilePos", 0);
    if (!file_->Seek(start)) {
        ShowTrouble();
        return;
    }
    NextTip();
}

TipOfTheDay::~TipOfTheDay() {
    if (file_) settings_.SetInt(kTipSection, "FilePos", int32_t(file_->offset()));
}

void TipOfTheDay::NextTip() {
    if (!file_) return;
    if (std::optional<Tip> next = file_->ReadNext()) {
        tip_ = std::move(*next);
        return;
    }
    has_tips_ = false;
    tip_ = MessageTip(kTipsEmptyText);
}

void TipOfTheDay::ShowTrouble() {
    // A stored position the file cannot have: read on from the beginning next time.
    file_->Seek(0);
    tip_ = MessageTip(kTipsTroubleText);
}

void TipOfTheDay::Close(bool show_at_startup) { settings_.SetInt(kTipSection, "StartUp", show_at_startup ? 0 : 1); }

}  // namespace gd
