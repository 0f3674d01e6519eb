#pragma once
// The music of a full-screen show: which track comes next, writing it to its temporary
// file on a low-priority thread, playing it, and removing the files again.
//
// Threads: the window thread calls everything here; the preparation thread only runs
// the preparation. `busy` is set before a preparation starts and cleared (release) when
// it ends; the window thread touches the index and the file names only while it is
// clear. The preparation's state is shared with its thread, so a cancelled preparation
// may outlive the list without touching freed memory.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "common/media_player.h"
#include "common/shuffle_rounds.h"
#include "runtime/resource_source.h"
#include "runtime/track_files.h"

namespace gd {

struct MusicSettings {
    int32_t count = 0;  // M
    bool shuffle = false;
    bool shuffle_rounds = false;  // shuffled: every track once a round (common/shuffle_rounds.h)
    std::string identifier;  // names the temporary files
    std::string temp_dir;    // ends in a path separator
};

// The track after `index` among `count` (3 or more): the next one in order, or with
// shuffle a random one that differs from `index` (draws from the calling thread's
// generator).
int32_t NextTrackIndex(int32_t index, int32_t count, bool shuffle);

class CMusicList {
public:
    CMusicList(MusicSettings settings, std::shared_ptr<const ResourceSource> source,
               std::shared_ptr<TrackFiles> files, MediaPlayer& player);
    // Cancels a preparation still running (without waiting for it).
    ~CMusicList();
    CMusicList(const CMusicList&) = delete;
    CMusicList& operator=(const CMusicList&) = delete;

    // Runs first on every preparation thread (the platform lowers its priority there).
    void set_thread_start_hook(std::function<void()> hook) { shared_->thread_start = std::move(hook); }

    // Starts preparing the next track on its own thread, unless one still runs.
    void StartPreparation();
    // Stops a running preparation without waiting for it; its partly written file is
    // removed.
    void CancelPreparation();
    // Runs one preparation on the calling thread (the body of the preparation thread).
    void PrepareNextTrack();

    // Plays the prepared track and rotates the files; false while a preparation runs.
    bool PlayNextTrack();
    bool IsTrackFinished();
    void StopMusic() { player_.Close(); }
    void DeleteFiles();

    bool busy() const { return shared_->busy.load(std::memory_order_acquire); }
    int32_t index() const { return shared_->index; }
    const std::string& next_file() const { return shared_->next_file; }
    const std::string& current_file() const { return shared_->current_file; }

private:
    struct Shared {
        MusicSettings settings;
        std::shared_ptr<const ResourceSource> source;
        std::shared_ptr<TrackFiles> files;
        std::function<void()> thread_start;
        std::atomic<bool> busy{false};
        std::atomic<bool> running{false};
        std::atomic<bool> cancel{false};
        // Guards the file names against a preparation that was cancelled but still runs:
        // after the cancel it neither creates nor publishes a file.
        std::mutex files_lock;
        std::string writing_file;
        int32_t index = -1;
        ShuffleRounds rounds;
        std::string next_file;
        std::string current_file;
    };
    static void Prepare(Shared& s);
    static void WriteTrack(Shared& s, int32_t track_id);

    std::shared_ptr<Shared> shared_;
    MediaPlayer& player_;
    std::thread thread_;
};

}  // namespace gd
