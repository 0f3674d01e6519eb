#pragma once
// A media layer for the Music page's player whose clock the test moves: a playing file
// advances with it and stops by itself at its end. It notes what it was asked.

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "common/media_player.h"

namespace gd::test {

// Files not in `lengths` cannot be opened (unless `any_length` is set); `refuse_play`
// refuses to play; `silent` takes a play and never starts (no sound device); `stuck` says
// it plays but never moves.
class FakeAuditionMedia : public MediaPlayer {
public:
    bool Open(const std::string& path, std::string* why = nullptr) override {
        Close();
        journal.push_back("open " + path);
        auto found = lengths.find(path);
        if (found == lengths.end() && any_length == 0) {
            if (why) *why = "unknown file";
            return false;
        }
        open_ = path;
        length_ = found == lengths.end() ? any_length : found->second;
        position_ = 0;
        return true;
    }
    bool PlayFrom(uint32_t from_ms, std::string* why = nullptr) override {
        journal.push_back("play " + std::to_string(from_ms));
        if (refuse_play) {
            if (why) *why = "no driver";
            return false;
        }
        position_ = from_ms;
        playing_ = !silent;
        return true;
    }
    void Halt() override {
        journal.push_back("halt");
        playing_ = false;
    }
    void Close() override {
        if (open_.empty()) return;
        journal.push_back("close");
        open_.clear();
        playing_ = false;
    }
    bool IsOpen() const override { return !open_.empty(); }
    uint32_t Length() const override { return length_; }
    uint32_t Position() override { return position_; }
    bool Playing() override { return playing_; }
    bool Stopped() override { return !playing_; }

    const std::string& open_file() const { return open_; }

    // Time passes: a playing file moves on and stops by itself at its end.
    void Advance(uint32_t ms) {
        if (!playing_ || stuck) return;
        position_ = std::min(position_ + ms, length_ - end_short);
        if (position_ >= length_ - end_short) playing_ = false;
    }

    std::map<std::string, uint32_t> lengths;
    uint32_t any_length = 0;  // when set, a file not in `lengths` opens with this length
    bool refuse_play = false, silent = false, stuck = false;
    uint32_t end_short = 0;  // how far before its length a device stops
    std::vector<std::string> journal;

private:
    std::string open_;
    uint32_t length_ = 0, position_ = 0;
    bool playing_ = false;
};

}  // namespace gd::test
