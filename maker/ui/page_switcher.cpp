#include "maker/ui/page_switcher.h"

namespace gd {

PageSwitcher::PageSwitcher(Factory factory) : factory_(std::move(factory)) {}

void PageSwitcher::Start() { SwitchToPage(kGeneralPage); }

ProjectView* PageSwitcher::page(int n) const { return n >= 1 && n <= kPageCount ? pages_[n].get() : nullptr; }

bool PageSwitcher::reload_pending(int n) const { return n >= 1 && n <= kPageCount && reload_[n]; }

bool PageSwitcher::SwitchToPage(int n) {
    if (n < 1 || n > kPageCount) return false;
    ProjectView* shown = page(current_);
    if (shown) shown->StoreToProject();
    if (!pages_[n]) {
        pages_[n] = factory_(n);
        if (!pages_[n]) return false;
        pages_[n]->LoadFromProject();
    }
    if (reload_[n]) {
        reload_[n] = false;
        pages_[n]->LoadFromProject();
    }
    if (n == current_) return true;
    pages_[n]->Show(true);
    if (shown) shown->Show(false);
    current_ = n;
    return true;
}

void PageSwitcher::CommitShownPage() {
    if (ProjectView* shown = page(current_)) shown->StoreToProject();
}

void PageSwitcher::BeforeProjectReplaced() {
    SwitchToPage(kGeneralPage);
    for (int n = 1; n <= kPageCount; ++n) {
        if (!pages_[n]) continue;
        if (HasReloadFlag(n)) reload_[n] = true;
        pages_[n]->ResetForNewProject();
    }
}

void PageSwitcher::AfterProjectReplaced() {
    for (int n = 1; n <= kPageCount; ++n)
        if (pages_[n]) pages_[n]->LoadFromProject();
}

void PageSwitcher::AfterProjectSaved() {
    for (int n = 1; n <= kPageCount; ++n)
        if (pages_[n]) pages_[n]->AfterProjectSaved();
}

void PageSwitcher::ResumePlaying() {
    for (int n = 1; n <= kPageCount; ++n)
        if (pages_[n]) pages_[n]->ResumePlaying();
}

void PageSwitcher::StopPlaying() {
    for (int n = 1; n <= kPageCount; ++n)
        if (pages_[n]) pages_[n]->StopPlaying();
}

}  // namespace gd
