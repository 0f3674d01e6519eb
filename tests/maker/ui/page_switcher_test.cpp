#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "maker/ui/page_switcher.h"

namespace gd {
namespace {

// Pages that log what is done to them as "<page>:<operation>".
class Journal {
public:
    std::vector<std::string> Take() { return std::exchange(entries_, {}); }
    void Add(int page, const char* what) { entries_.push_back(std::to_string(page) + ":" + what); }

private:
    std::vector<std::string> entries_;
};

class FakeView : public ProjectView {
public:
    FakeView(int page, Journal& journal) : page_(page), journal_(journal) {}
    void LoadFromProject() override { journal_.Add(page_, "load"); }
    void StoreToProject() override { journal_.Add(page_, "store"); }
    void ResetForNewProject() override { journal_.Add(page_, "reset"); }
    void StopPlaying() override { journal_.Add(page_, "stop"); }
    void ResumePlaying() override { journal_.Add(page_, "resume"); }
    void AfterProjectSaved() override { journal_.Add(page_, "saved"); }
    void Show(bool visible) override { journal_.Add(page_, visible ? "show" : "hide"); }

private:
    int page_;
    Journal& journal_;
};

using Log = std::vector<std::string>;

class PageSwitcherTest : public ::testing::Test {
protected:
    PageSwitcherTest()
        : switcher_([this](int page) {
              journal_.Add(page, "make");
              return std::make_unique<FakeView>(page, journal_);
          }) {
        switcher_.Start();
        EXPECT_EQ(journal_.Take(), (Log{"1:make", "1:load", "1:show"}));
    }
    Journal journal_;
    PageSwitcher switcher_;
};

TEST_F(PageSwitcherTest, FirstVisitMakesAndLoadsLaterVisitsOnlyStore) {
    EXPECT_TRUE(switcher_.SwitchToPage(kPicturesPage));
    EXPECT_EQ(journal_.Take(), (Log{"1:store", "2:make", "2:load", "2:show", "1:hide"}));
    EXPECT_TRUE(switcher_.SwitchToPage(kGeneralPage));
    EXPECT_TRUE(switcher_.SwitchToPage(kPicturesPage));
    EXPECT_EQ(journal_.Take(), (Log{"2:store", "1:show", "2:hide", "1:store", "2:show", "1:hide"}));
    EXPECT_EQ(switcher_.current(), kPicturesPage);
}

TEST_F(PageSwitcherTest, ShownPageOnlyStoresAndBadNumbersAreRefused) {
    EXPECT_TRUE(switcher_.SwitchToPage(kGeneralPage));
    EXPECT_EQ(journal_.Take(), (Log{"1:store"}));
    EXPECT_FALSE(switcher_.SwitchToPage(0));
    EXPECT_FALSE(switcher_.SwitchToPage(6));
    EXPECT_EQ(journal_.Take(), Log{});
}

TEST_F(PageSwitcherTest, ReplacedProjectReloadsFlaggedPagesWhenNextShown) {
    for (int n : {kPicturesPage, kSettingsPage, kEffectsPage}) switcher_.SwitchToPage(n);
    journal_.Take();

    switcher_.BeforeProjectReplaced();
    EXPECT_EQ(switcher_.current(), kGeneralPage);
    EXPECT_EQ(journal_.Take(), (Log{"5:store", "1:show", "5:hide", "1:reset", "2:reset", "4:reset", "5:reset"}));
    EXPECT_TRUE(switcher_.reload_pending(kPicturesPage));
    EXPECT_FALSE(switcher_.reload_pending(kMusicPage)) << "Music does not exist";
    EXPECT_FALSE(switcher_.reload_pending(kSettingsPage)) << "Settings has no reload flag";
    EXPECT_TRUE(switcher_.reload_pending(kEffectsPage));

    switcher_.AfterProjectReplaced();
    EXPECT_EQ(journal_.Take(), (Log{"1:load", "2:load", "4:load", "5:load"}));

    switcher_.SwitchToPage(kPicturesPage);
    EXPECT_EQ(journal_.Take(), (Log{"1:store", "2:load", "2:show", "1:hide"}));
    EXPECT_FALSE(switcher_.reload_pending(kPicturesPage));
    switcher_.SwitchToPage(kSettingsPage);
    EXPECT_EQ(journal_.Take(), (Log{"2:store", "4:show", "2:hide"}));
    // A page made after the replacement has no flag: it loads once, when it is made.
    switcher_.SwitchToPage(kMusicPage);
    EXPECT_EQ(journal_.Take(), (Log{"4:store", "3:make", "3:load", "3:show", "4:hide"}));
}

TEST_F(PageSwitcherTest, CommitAndStopReachOnlyExistingPages) {
    switcher_.SwitchToPage(kMusicPage);
    journal_.Take();
    switcher_.CommitShownPage();
    switcher_.StopPlaying();
    EXPECT_EQ(journal_.Take(), (Log{"3:store", "1:stop", "3:stop"}));
    switcher_.ResumePlaying();
    EXPECT_EQ(journal_.Take(), (Log{"1:resume", "3:resume"}));
}

TEST_F(PageSwitcherTest, SavingNeitherReloadsNorResetsNorSwitchesPages) {
    switcher_.SwitchToPage(kPicturesPage);
    journal_.Take();
    switcher_.AfterProjectSaved();
    // Only the pages that exist hear of it; none loads again, the shown one stays.
    EXPECT_EQ(journal_.Take(), (Log{"1:saved", "2:saved"}));
    EXPECT_EQ(switcher_.current(), kPicturesPage);
    EXPECT_FALSE(switcher_.reload_pending(kPicturesPage));
}

TEST(PageSwitcher, PageThatCannotBeMadeIsRefused) {
    PageSwitcher switcher([](int page) -> std::unique_ptr<ProjectView> {
        if (page == kEffectsPage) return nullptr;
        static Journal ignored;
        return std::make_unique<FakeView>(page, ignored);
    });
    switcher.Start();
    EXPECT_FALSE(switcher.SwitchToPage(kEffectsPage));
    EXPECT_EQ(switcher.current(), kGeneralPage);
    EXPECT_TRUE(switcher.SwitchToPage(kEffectsPage - 1));
}

}  // namespace
}  // namespace gd
