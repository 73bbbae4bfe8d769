// The relay output of the music player: a relay thread decodes the source
// into a ring buffer (in a build without threads, the fill callback does),
// and an output stream of the library takes the sound out of the ring
// through its fill callback. The player's position is what the
// output stream has taken, so a seek shows at once and stays exact.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "audio/TrackPlayerLibrary.h"

namespace ik {

class TrackRelay {
public:
    // `waitForWholeRequests`: the fill callback waits until it can give all
    // that was asked for (a null sink on a virtual clock must hear the same
    // sound at every run); a real device rather stalls than waits.
    // `onThreadFailure` reports a relay thread that could not start.
    TrackRelay(const TrackAudioLibrary& library, bool waitForWholeRequests, std::function<void()> onThreadFailure);
    ~TrackRelay();
    TrackRelay(const TrackRelay&) = delete;
    TrackRelay& operator=(const TrackRelay&) = delete;

    // Creates the output stream for `source` and starts the relay thread;
    // returns the output stream, 0 on failure.
    TA_HANDLE create(TA_HANDLE source, uint32_t rate, uint32_t channels);
    // Frees the output stream, tells the relay thread to quit and waits.
    void end();
    // Ring empty, delivered total 0, end flag off, prebuffering on.
    void reset();
    // Milliseconds of sound the output stream has taken since the reset.
    uint32_t deliveredMs() const;

    // Held while the source is moved: no refill reads it meanwhile, and what
    // a refill read before belongs to the old place and is thrown away by the
    // reset that follows.
    std::unique_lock<std::mutex> holdSource() { return std::unique_lock(sourceMutex_); }

private:
    enum class Message { Refill, Quit };

    static uint32_t fillProc(TA_HANDLE handle, void* buffer, uint32_t length, void* user);
    uint32_t fill(uint8_t* buffer, uint32_t length);
    void run();
    void refill();
    void refillInline(std::unique_lock<std::mutex>& ringLock);
    void post(Message message);
    void requestRefillLocked();
    void take(uint8_t* out, uint32_t count);
    void append(const uint8_t* in, uint32_t count);

    const TrackAudioLibrary& library_;
    const bool waitForWholeRequests_;
    std::function<void()> onThreadFailure_;
    const bool ownThread_;

    TA_HANDLE source_ = 0;
    TA_HANDLE output_ = 0;
    uint32_t bytesPerSecond_ = 0;
    uint32_t blockBytes_ = 0;
    uint32_t chunkBytes_ = 0;
    std::vector<uint8_t> transfer_;

    std::mutex sourceMutex_;  // a refill reading the source

    mutable std::mutex ringMutex_;
    std::condition_variable ringChanged_;
    std::vector<uint8_t> ring_;
    uint32_t ringStart_ = 0;
    uint32_t ringFilled_ = 0;
    uint64_t delivered_ = 0;  // bytes read from the source since the reset
    bool sourceEnded_ = false;
    bool prebuffering_ = true;
    bool quitting_ = false;
    bool refillQueued_ = false;

    std::mutex queueMutex_;
    std::condition_variable queueChanged_;
    std::deque<Message> queue_;
    std::thread thread_;
};

}  // namespace ik
