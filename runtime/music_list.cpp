#include "runtime/music_list.h"

#include "common/music_entry.h"
#include "common/random15.h"
#include "common/resource_types.h"

namespace gd {
namespace {

// Small enough that a cancel is noticed at once, large enough to write fast.
constexpr size_t kWriteChunk = 64 * 1024;

}  // namespace

int32_t NextTrackIndex(int32_t index, int32_t count, bool shuffle) {
    if (!shuffle) return index + 1 >= count ? 0 : index + 1;
    int32_t r;
    do {
        r = NextRandom() % count;
    } while (r == index);
    return r;
}

CMusicList::CMusicList(MusicSettings settings, std::shared_ptr<const ResourceSource> source,
                       std::shared_ptr<TrackFiles> files, MediaPlayer& player)
    : shared_(std::make_shared<Shared>()), player_(player) {
    shared_->settings = std::move(settings);
    shared_->source = std::move(source);
    shared_->files = std::move(files);
}

CMusicList::~CMusicList() { CancelPreparation(); }

void CMusicList::StartPreparation() {
    if (thread_.joinable()) {
        if (shared_->running.load(std::memory_order_acquire)) return;
        thread_.join();
    }
    if (shared_->busy.exchange(true, std::memory_order_acq_rel)) return;
    shared_->running.store(true, std::memory_order_release);
    try {
        thread_ = std::thread([s = shared_] {
            if (s->thread_start) s->thread_start();
            if (!s->cancel.load(std::memory_order_acquire)) {
                SeedRandomFromTime();
                Prepare(*s);
            }
            s->busy.store(false, std::memory_order_release);
            s->running.store(false, std::memory_order_release);
        });
    } catch (const std::system_error&) {
        // No thread: the music stays where it is instead of blocking for ever.
        shared_->running.store(false);
        shared_->busy.store(false);
    }
}

void CMusicList::CancelPreparation() {
    if (!thread_.joinable()) return;
    {
        std::lock_guard lock(shared_->files_lock);
        shared_->cancel.store(true, std::memory_order_release);
        if (!shared_->writing_file.empty()) shared_->files->Remove(shared_->writing_file);
    }
    thread_.detach();
}

void CMusicList::PrepareNextTrack() { Prepare(*shared_); }

void CMusicList::Prepare(Shared& s) {
    const int32_t count = s.settings.count;
    if (count <= 0) return;
    if (count == 1) {
        if (s.index == 0) {
            std::lock_guard lock(s.files_lock);
            if (!s.cancel.load(std::memory_order_acquire)) s.next_file = s.current_file;  // played again
            return;
        }
        s.index = 0;
    } else if (count == 2) {
        if (s.index == 1) return;  // both written: the files alternate from now on
        s.index = s.index == 0 ? 1 : 0;
    } else {
        s.index = s.settings.shuffle && s.settings.shuffle_rounds ? s.rounds.Next(count, s.index)
                                                                   : NextTrackIndex(s.index, count, s.settings.shuffle);
    }
    WriteTrack(s, s.index);
}

void CMusicList::WriteTrack(Shared& s, int32_t track_id) {
    // A track the payload lacks (or a write that fails) leaves no file to play: the
    // player then finds nothing to open and goes on with the next track. Entry ids have
    // 16 bits: a damaged count beyond them names no entry rather than a wrapped one.
    std::string path;
    std::unique_ptr<TrackFileWriter> writer;
    std::optional<std::span<const uint8_t>> entry;
    if (track_id >= 0 && track_id <= 0xFFFF) entry = s.source->Find(RT_SAVER_MUSIC, uint16_t(track_id));
    {
        std::lock_guard lock(s.files_lock);
        if (s.cancel.load(std::memory_order_acquire)) return;
        s.next_file.clear();
        if (!entry || entry->size() < kMusicTagSize) return;
        std::string tag(reinterpret_cast<const char*>(entry->data()), kMusicTagSize);
        path = TrackFileName(s.settings.temp_dir, s.settings.identifier, track_id, tag);
        writer = s.files->Create(path);
        if (!writer) return;
        s.writing_file = path;
    }
    auto bytes = entry->subspan(kMusicTagSize);
    bool ok = true;
    for (size_t at = 0; ok && at < bytes.size(); at += kWriteChunk) {
        ok = !s.cancel.load(std::memory_order_acquire) &&
             writer->Write(bytes.subspan(at, std::min(kWriteChunk, bytes.size() - at)));
    }
    ok = writer->Close() && ok;
    writer.reset();
    std::lock_guard lock(s.files_lock);
    s.writing_file.clear();
    if (!ok || s.cancel.load(std::memory_order_acquire)) {
        s.files->Remove(path);
        return;
    }
    s.next_file = path;
}

bool CMusicList::PlayNextTrack() {
    if (busy()) return false;
    Shared& s = *shared_;
    player_.Open(s.next_file);
    player_.Play();
    std::swap(s.current_file, s.next_file);
    if (s.settings.count > 2 && !s.next_file.empty() && s.files->Exists(s.next_file)) {
        s.files->Remove(s.next_file);
    }
    return true;
}

bool CMusicList::IsTrackFinished() { return TrackFinished(player_); }

void CMusicList::DeleteFiles() {
    Shared& s = *shared_;
    std::lock_guard lock(s.files_lock);
    for (const std::string* f : {&s.next_file, &s.current_file}) {
        if (!f->empty() && s.files->Exists(*f)) s.files->Remove(*f);
    }
}

}  // namespace gd
