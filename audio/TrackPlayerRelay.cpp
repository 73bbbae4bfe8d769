#include "audio/TrackPlayerRelay.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <system_error>

#include "audio/RelayThreads.h"

namespace ik {

namespace {

constexpr uint32_t kInitialRingBytes = 88200;
constexpr uint32_t kTransferBytes = 36864;
constexpr uint32_t kSamplesPerChunk = 1152;

}  // namespace

TrackRelay::TrackRelay(const TrackAudioLibrary& library, bool waitForWholeRequests,
                       std::function<void()> onThreadFailure)
    : library_(library),
      waitForWholeRequests_(waitForWholeRequests),
      onThreadFailure_(std::move(onThreadFailure)),
      ownThread_(relayHasThreadOfItsOwn()),
      transfer_(kTransferBytes),
      ring_(kInitialRingBytes) {}

TrackRelay::~TrackRelay() { end(); }

TA_HANDLE TrackRelay::create(TA_HANDLE source, uint32_t rate, uint32_t channels) {
    source_ = source;
    bytesPerSecond_ = rate * channels * 2;
    blockBytes_ = bytesPerSecond_ * 2 / 10;
    if (ring_.size() < 2 * blockBytes_ || ring_.size() > 4 * blockBytes_) ring_.assign(3 * blockBytes_, 0);
    chunkBytes_ = channels * kSamplesPerChunk * (rate > 22050 ? 2 : 1);
    if (transfer_.size() < chunkBytes_) transfer_.resize(chunkBytes_);
    output_ = library_.StreamCreate(rate, channels, 0, fillProc, this);
    if (output_ == 0) return 0;
    reset();
    {
        std::lock_guard lock(ringMutex_);
        quitting_ = false;
        refillQueued_ = false;
    }
    {
        std::lock_guard lock(queueMutex_);
        queue_.clear();
    }
    if (!ownThread_) return output_;
    try {
        thread_ = std::thread(&TrackRelay::run, this);
    } catch (const std::system_error&) {
        onThreadFailure_();
        library_.StreamFree(output_);
        output_ = 0;
    }
    return output_;
}

void TrackRelay::end() {
    // The stream goes first: once it is freed no fill callback runs, and one
    // that was running has had the relay thread it waited for.
    if (output_ != 0) library_.StreamFree(output_);
    if (!ownThread_) {
        std::lock_guard lock(queueMutex_);
        queue_.clear();
    }
    if (thread_.joinable()) {
        {
            std::lock_guard lock(ringMutex_);
            quitting_ = true;
        }
        ringChanged_.notify_all();
        post(Message::Quit);
        thread_.join();
    }
    output_ = 0;
    source_ = 0;
}

void TrackRelay::reset() {
    {
        std::lock_guard lock(ringMutex_);
        ringStart_ = 0;
        ringFilled_ = 0;
        delivered_ = 0;
        sourceEnded_ = false;
        prebuffering_ = true;
    }
    ringChanged_.notify_all();
}

uint32_t TrackRelay::deliveredMs() const {
    std::lock_guard lock(ringMutex_);
    if (bytesPerSecond_ == 0) return 0;
    const double taken = static_cast<double>(delivered_ - ringFilled_);
    return static_cast<uint32_t>(std::nearbyint(taken * 1000.0 / bytesPerSecond_));
}

uint32_t TrackRelay::fillProc(TA_HANDLE, void* buffer, uint32_t length, void* user) {
    return static_cast<TrackRelay*>(user)->fill(static_cast<uint8_t*>(buffer), length);
}

uint32_t TrackRelay::fill(uint8_t* buffer, uint32_t length) {
    std::unique_lock lock(ringMutex_);
    if (!ownThread_) refillInline(lock);
    if (prebuffering_) {
        requestRefillLocked();
        if (ownThread_) {
            ringChanged_.wait(lock, [this] { return !prebuffering_ || sourceEnded_ || quitting_; });
        } else {
            refillInline(lock);
        }
    }
    if (waitForWholeRequests_) {
        while (ringFilled_ < length && !sourceEnded_ && !quitting_) {
            requestRefillLocked();
            if (ownThread_) {
                ringChanged_.wait(lock);
            } else {
                refillInline(lock);
            }
        }
    }
    const uint32_t count = std::min(ringFilled_, length);
    take(buffer, count);
    if (count < length && sourceEnded_) return count | TA_STREAMPROC_END;
    requestRefillLocked();
    return count;
}

void TrackRelay::run() {
    for (;;) {
        Message message;
        {
            std::unique_lock lock(queueMutex_);
            queueChanged_.wait(lock, [this] { return !queue_.empty(); });
            message = queue_.front();
            queue_.pop_front();
        }
        if (message == Message::Quit) return;
        refill();
    }
}

// Without a thread of its own the relay refills in the fill callback: every
// refill asked for so far runs now, in order, as the thread would run them.
void TrackRelay::refillInline(std::unique_lock<std::mutex>& ringLock) {
    ringLock.unlock();
    for (;;) {
        {
            std::lock_guard lock(queueMutex_);
            if (queue_.empty()) break;
            queue_.pop_front();
        }
        refill();
    }
    ringLock.lock();
}

void TrackRelay::refill() {
    std::lock_guard sourceLock(sourceMutex_);
    {
        std::lock_guard lock(ringMutex_);
        refillQueued_ = false;
        if (sourceEnded_ || ring_.size() - ringFilled_ < chunkBytes_) {
            prebuffering_ = false;
            ringChanged_.notify_all();
            return;
        }
    }
    uint32_t got = library_.ChannelGetData(source_, transfer_.data(), chunkBytes_);
    if (got > chunkBytes_) got = 0;  // the library's error value: the source is over
    const uint32_t outputState = library_.ChannelIsActive(output_);
    const bool outputRuns = outputState == TA_ACTIVE_PLAYING || outputState == TA_ACTIVE_STALLED;
    {
        std::lock_guard lock(ringMutex_);
        delivered_ += got;
        append(transfer_.data(), got);
        if (got < chunkBytes_) sourceEnded_ = true;
        const bool chunkFits = ring_.size() - ringFilled_ >= chunkBytes_;
        if (ringFilled_ >= 2 * blockBytes_ || !chunkFits || sourceEnded_) prebuffering_ = false;
        if (!sourceEnded_ && chunkFits && (prebuffering_ || outputRuns)) requestRefillLocked();
    }
    ringChanged_.notify_all();
}

void TrackRelay::post(Message message) {
    {
        std::lock_guard lock(queueMutex_);
        queue_.push_back(message);
    }
    queueChanged_.notify_one();
}

void TrackRelay::requestRefillLocked() {
    if (refillQueued_) return;
    refillQueued_ = true;
    post(Message::Refill);
}

void TrackRelay::take(uint8_t* out, uint32_t count) {
    const auto size = static_cast<uint32_t>(ring_.size());
    const uint32_t first = std::min(count, size - ringStart_);
    std::memcpy(out, ring_.data() + ringStart_, first);
    std::memcpy(out + first, ring_.data(), count - first);
    ringStart_ = (ringStart_ + count) % size;
    ringFilled_ -= count;
}

void TrackRelay::append(const uint8_t* in, uint32_t count) {
    const auto size = static_cast<uint32_t>(ring_.size());
    const uint32_t end = (ringStart_ + ringFilled_) % size;
    const uint32_t first = std::min(count, size - end);
    std::memcpy(ring_.data() + end, in, first);
    std::memcpy(ring_.data(), in + first, count - first);
    ringFilled_ += count;
}

}  // namespace ik
