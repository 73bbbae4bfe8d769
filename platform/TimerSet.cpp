#include "platform/TimerSet.h"

#include <algorithm>

namespace ik {

class TimerSet::Timer : public IntervalTimer {
public:
    explicit Timer(TimerSet* owner) : owner_(owner) {}
    ~Timer() override {
        if (owner_ != nullptr) owner_->forget(this);
    }

    void setEnabled(bool enabled) override {
        if (enabled == enabled_) return;
        enabled_ = enabled;
        if (enabled_) startPeriod();
    }
    bool enabled() const override { return enabled_; }

    void setInterval(uint32_t ms) override {
        if (ms == interval_) return;
        interval_ = ms;
        if (enabled_) startPeriod();
    }
    uint32_t interval() const override { return interval_; }

    void setHandler(std::function<void()> onTimer) override { handler_ = std::move(onTimer); }

    // A timer with no interval or no handler never fires, like a window timer
    // that was never installed.
    bool armed() const { return owner_ != nullptr && enabled_ && interval_ > 0 && handler_; }
    uint64_t dueAt() const { return dueAt_; }

    // Moves to the first beat after `now`, dropping the missed ones.
    void advancePast(uint64_t now) {
        uint64_t missed = (now - dueAt_) / interval_;
        dueAt_ += (missed + 1) * interval_;
    }

    void fire() {
        // The handler may replace itself or destroy the timer; keep it alive
        // for the length of the call.
        std::function<void()> handler = handler_;
        handler();
    }

    void orphan() { owner_ = nullptr; }

private:
    void startPeriod() { dueAt_ = owner_ != nullptr ? owner_->now_() + interval_ : 0; }

    TimerSet* owner_;
    bool enabled_ = false;
    uint32_t interval_ = 1000;
    uint64_t dueAt_ = 0;
    std::function<void()> handler_;
};

TimerSet::TimerSet(Clock now) : now_(std::move(now)) {}

TimerSet::~TimerSet() {
    for (Timer* timer : timers_) timer->orphan();
}

std::unique_ptr<IntervalTimer> TimerSet::create() {
    auto timer = std::make_unique<Timer>(this);
    timers_.push_back(timer.get());
    return timer;
}

void TimerSet::forget(Timer* timer) {
    timers_.erase(std::remove(timers_.begin(), timers_.end(), timer), timers_.end());
}

bool TimerSet::fireDue() {
    const uint64_t now = now_();
    std::vector<Timer*> due;
    for (Timer* timer : timers_) {
        if (timer->armed() && timer->dueAt() <= now) due.push_back(timer);
    }
    std::stable_sort(due.begin(), due.end(), [](const Timer* a, const Timer* b) { return a->dueAt() < b->dueAt(); });
    bool fired = false;
    for (Timer* timer : due) {
        // An earlier handler may have destroyed, stopped or restarted this one.
        bool stillThere = std::find(timers_.begin(), timers_.end(), timer) != timers_.end();
        if (!stillThere || !timer->armed() || timer->dueAt() > now) continue;
        timer->advancePast(now);
        timer->fire();
        fired = true;
    }
    return fired;
}

std::optional<uint64_t> TimerSet::msUntilNextDue() const {
    const uint64_t now = now_();
    std::optional<uint64_t> soonest;
    for (const Timer* timer : timers_) {
        if (!timer->armed()) continue;
        uint64_t wait = timer->dueAt() > now ? timer->dueAt() - now : 0;
        if (!soonest || wait < *soonest) soonest = wait;
    }
    return soonest;
}

}  // namespace ik
