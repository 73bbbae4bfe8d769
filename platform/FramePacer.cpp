#include "platform/FramePacer.h"

#include "platform/FrameClock.h"

namespace ik {

namespace {
constexpr uint64_t kMicrosecondsPerSecond = 1'000'000;
constexpr uint64_t kFrameUs = kMicrosecondsPerSecond / kFramesPerSecond;
}  // namespace

bool needsPacing(int refreshHz) { return refreshHz < 59 || refreshHz > 61; }

uint64_t FramePacer::waitBeforeFlip(uint64_t nowUs) {
    if (!enabled_) return 0;
    if (!started_) {
        started_ = true;
        originUs_ = nowUs;
        frame_ = 0;
        return 0;
    }
    const uint64_t target = originUs_ + frameStart(frame_ + 1, kMicrosecondsPerSecond);
    if (nowUs > target + kFrameUs) {
        originUs_ = nowUs;
        frame_ = 0;
        return 0;
    }
    ++frame_;
    return target > nowUs ? target - nowUs : 0;
}

}  // namespace ik
