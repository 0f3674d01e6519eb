#pragma once
// A media back end that plays nothing: it notes what it was asked (in a journal the test
// may keep after the back end went), and a track "plays" for as many position queries
// as the test says, then stands at its end (or, when told, stops at once at 0).

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "common/media_player.h"

namespace gd::test {

class FakeMedia : public MediaPlayer {
public:
    bool Open(const std::string& path, std::string* = nullptr) override {
        Close();
        journal.push_back("open " + path);
        if (unplayable.count(path)) return false;
        path_ = path;
        polls_left_ = plays_for;
        return true;
    }
    bool PlayFrom(uint32_t, std::string* = nullptr) override {
        journal.push_back("play");
        open_ = !path_.empty();
        return open_;
    }
    void Halt() override {}
    bool Playing() override { return open_ && polls_left_ > 0 && !stops_at_once; }
    bool IsOpen() const override { return open_; }
    uint32_t Position() override {
        if (polls_left_ > 0) {
            --polls_left_;
            return 0;
        }
        return kLength;
    }
    uint32_t Length() const override { return open_ ? kLength : 0; }
    // A track that stands at its end is found by its position alone.
    bool Stopped() override { return stops_at_once; }
    void Close() override {
        if (!open_) return;
        journal.push_back("close");
        if (on_close) on_close();
        open_ = false;
        path_.clear();
    }

    static constexpr uint32_t kLength = 3000;
    // Position queries a track answers before it stands at its end.
    int plays_for = 0;
    // The device takes the play command and stops at position 0, as without a sound
    // device.
    bool stops_at_once = false;
    std::set<std::string> unplayable;
    std::shared_ptr<std::vector<std::string>> journal_entries = std::make_shared<std::vector<std::string>>();
    std::vector<std::string>& journal = *journal_entries;
    std::function<void()> on_close;

private:
    std::string path_;
    bool open_ = false;
    int polls_left_ = 0;
};

}  // namespace gd::test
