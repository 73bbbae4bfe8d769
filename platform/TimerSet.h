// Interval timers of an event loop, on whatever clock the loop keeps. They
// behave as window-message timers do: a due timer fires once per loop pass
// however many periods were missed, and stays on its own beat afterwards.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/Platform.h"

namespace ik {

class TimerSet {
public:
    using Clock = std::function<uint64_t()>;  // milliseconds, never wrapping

    explicit TimerSet(Clock now);
    ~TimerSet();
    TimerSet(const TimerSet&) = delete;
    TimerSet& operator=(const TimerSet&) = delete;

    std::unique_ptr<IntervalTimer> create();

    // Fires every timer that is due now, each once, earliest due first.
    // Returns whether any fired.
    bool fireDue();

    // Milliseconds until the next timer is due (0 when one is due already),
    // or nothing when no timer can fire.
    std::optional<uint64_t> msUntilNextDue() const;

private:
    class Timer;
    friend class Timer;

    void forget(Timer* timer);

    Clock now_;
    std::vector<Timer*> timers_;  // in creation order
};

}  // namespace ik
