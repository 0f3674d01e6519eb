#pragma once
// A one-shot window timer as the music sees it. Like a platform timer, arming one that
// is still pending restarts its countdown.

#include <cstdint>

namespace gd {

class OneShotTimer {
public:
    virtual ~OneShotTimer() = default;
    virtual void Arm(uint32_t ms) = 0;
    virtual void Disarm() = 0;
};

}  // namespace gd
