#pragma once
// ShowGroup: the shows of a window's stages (one per monitor), played as one. A session
// starts and stops the group like one show (SessionShow); each show keeps its own thread,
// stage and transitions.
//
// A new layout (the monitors changed during the show) is laid over the group: a show
// whose stage keeps its size and DPI plays on undisturbed, moved to where its stage lies
// now; the others stop and new shows are made for the new stages, and start at once when
// the group plays. Nothing of the old layout is left to draw.
//
// Threads: the owner's thread calls everything here.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "player/session_show.h"
#include "player/show_host.h"
#include "player/show_stage.h"

namespace gd {

class ShowGroup final : public SessionShow {
public:
    // Makes the show of a stage, one of `stages` in the layout: a host over the window's
    // surface at the stage, its pictures and settings set up.
    using MakeHost = std::function<std::unique_ptr<ShowHost>(const ShowStage& stage, size_t stages)>;

    // `stop_bound_ms`: how long a show that a new layout removes is waited for.
    explicit ShowGroup(MakeHost make_host, uint32_t stop_bound_ms = 200);
    // Stops every show, waiting for each.
    ~ShowGroup() override;
    ShowGroup(const ShowGroup&) = delete;
    ShowGroup& operator=(const ShowGroup&) = delete;

    // Lays the shows out over `stages`, as said above.
    void Lay(const std::vector<ShowStage>& stages);

    // Starts every show (those with pictures); shows laid out later start at once.
    void Start() override;
    // Asks every show to stop, then waits for them, at most `ms` in all.
    bool StopWithin(uint32_t ms) override;
    // Stops every show, waiting for each as long as it takes.
    void Stop();
    bool started() const { return started_; }

    size_t size() const { return shows_.size(); }
    ShowHost& host(size_t i) const { return *shows_[i].host; }
    const ShowStage& stage(size_t i) const { return shows_[i].stage; }

private:
    struct Show {
        ShowStage stage;
        std::unique_ptr<ShowHost> host;
    };

    MakeHost make_host_;
    uint32_t stop_bound_ms_;
    std::vector<Show> shows_;
    bool started_ = false;
};

}  // namespace gd
