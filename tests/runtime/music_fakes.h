#pragma once
// In-memory stand-ins for the media layer and the temporary files.

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "common/music_entry.h"
#include "common/resource_types.h"
#include "common/media_player.h"
#include "runtime/music_list.h"
#include "runtime/track_files.h"

namespace gd::testing {

class FakeTrackFiles : public TrackFiles {
public:
    bool Exists(const std::string& path) override {
        std::lock_guard l(m_);
        return files_.count(path) > 0;
    }
    void Remove(const std::string& path) override {
        std::lock_guard l(m_);
        files_.erase(path);
        removed_.push_back(path);
    }
    std::unique_ptr<TrackFileWriter> Create(const std::string& path) override;

    std::set<std::string> Names() {
        std::lock_guard l(m_);
        std::set<std::string> names;
        for (auto& [name, _] : files_) names.insert(name);
        return names;
    }
    std::vector<uint8_t> Content(const std::string& path) {
        std::lock_guard l(m_);
        return files_.count(path) ? files_[path] : std::vector<uint8_t>{};
    }
    int creates() {
        std::lock_guard l(m_);
        return creates_;
    }

    // While held, every write blocks until Release(); Held() tells whether a writer waits.
    void Hold() {
        std::lock_guard l(m_);
        hold_ = true;
    }
    void Release() {
        {
            std::lock_guard l(m_);
            hold_ = false;
        }
        cv_.notify_all();
    }
    bool WaitUntilAWriterIsHeld() {
        std::unique_lock l(m_);
        return cv_.wait_for(l, std::chrono::seconds(10), [&] { return waiting_ > 0; });
    }

private:
    friend class FakeWriter;
    std::mutex m_;
    std::condition_variable cv_;
    std::map<std::string, std::vector<uint8_t>> files_;
    std::vector<std::string> removed_;
    int creates_ = 0;
    bool hold_ = false;
    int waiting_ = 0;
};

class FakeWriter : public TrackFileWriter {
public:
    FakeWriter(FakeTrackFiles& files, std::string path) : files_(files), path_(std::move(path)) {}
    bool Write(std::span<const uint8_t> bytes) override {
        std::unique_lock l(files_.m_);
        ++files_.waiting_;
        files_.cv_.notify_all();
        files_.cv_.wait(l, [&] { return !files_.hold_; });
        --files_.waiting_;
        // A removed file stays gone, as with a file marked for deletion.
        auto it = files_.files_.find(path_);
        if (it != files_.files_.end()) it->second.insert(it->second.end(), bytes.begin(), bytes.end());
        return true;
    }
    bool Close() override { return true; }

private:
    FakeTrackFiles& files_;
    std::string path_;
};

inline std::unique_ptr<TrackFileWriter> FakeTrackFiles::Create(const std::string& path) {
    std::lock_guard l(m_);
    files_[path].clear();
    ++creates_;
    return std::make_unique<FakeWriter>(*this, path);
}

// A player whose tracks end when the test says so. Files it cannot play (names that do
// not exist in `files`) behave like a failed open: no position and no length.
class FakePlayer : public MediaPlayer {
public:
    explicit FakePlayer(FakeTrackFiles& files) : files_(files) {}
    bool Open(const std::string& path, std::string* = nullptr) override {
        Close();
        opened.push_back(path);
        playable_ = !path.empty() && files_.Exists(path);
        length_ = playable_ ? 5000 : 0;
        position_ = 0;
        stopped_ = false;
        return playable_;
    }
    bool PlayFrom(uint32_t, std::string* = nullptr) override {
        open_ = true;
        return playable_;
    }
    void Halt() override {}
    bool IsOpen() const override { return open_; }
    uint32_t Position() override { return position_; }
    uint32_t Length() const override { return length_; }
    bool Playing() override { return open_ && !stopped_; }
    bool Stopped() override { return stopped_; }
    void Close() override { open_ = false; }
    void FinishTrack() {
        position_ = length_;
        stopped_ = true;
    }

    std::vector<std::string> opened;

private:
    FakeTrackFiles& files_;
    bool open_ = false;
    bool playable_ = false;
    uint32_t length_ = 0;
    uint32_t position_ = 0;
    bool stopped_ = false;
};

inline std::shared_ptr<MemoryResourceSource> TracksSource(int count, size_t bytes_each = 10) {
    auto source = std::make_shared<MemoryResourceSource>();
    for (int i = 0; i < count; ++i) {
        MusicEntry e;
        e.extension = "WAV";
        e.data.assign(bytes_each, uint8_t(i));
        source->Add(RT_SAVER_MUSIC, uint16_t(i), EncodeMusicEntry(e));
    }
    return source;
}

inline bool WaitUntilIdle(const CMusicList& list) {
    for (int i = 0; i < 5000 && list.busy(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return !list.busy();
}

inline MusicSettings Settings(int count, bool shuffle = false) {
    MusicSettings s;
    s.count = count;
    s.shuffle = shuffle;
    s.identifier = "ID";
    s.temp_dir = "/tmp/";
    return s;
}

}  // namespace gd::testing
