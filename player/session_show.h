#pragma once
// What a full-screen session starts and stops: the show of one screen (ShowHost), or the
// shows of several monitors played as one (ShowGroup).

#include <cstdint>

namespace gd {

class SessionShow {
public:
    virtual ~SessionShow() = default;
    // Starts the show; with no pictures nothing runs.
    virtual void Start() = 0;
    // Stops the show, waiting at most `ms` in all: true when every show thread ended in
    // time (see ShowHost::StopWithin for one that did not).
    virtual bool StopWithin(uint32_t ms) = 0;
};

}  // namespace gd
