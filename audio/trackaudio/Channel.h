// The channels of the library: a loaded module and a stream fed by a fill
// callback. Each channel locks itself; its activity is atomic so that any
// thread may ask for it while a fill callback runs under the lock.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "audio/TrackAudioApi.h"
#include "audio/trackaudio/ModuleDecoder.h"

namespace trackaudio {

constexpr uint32_t kBytesPerFrame = 4;  // 16-bit stereo

struct Sync {
    TA_HANDLE id;
    TA_SYNCPROC proc;
    void* user;
};

class Channel {
public:
    explicit Channel(TA_HANDLE handle) : handle_(handle) {}
    virtual ~Channel() = default;
    Channel(const Channel&) = delete;
    Channel& operator=(const Channel&) = delete;

    TA_HANDLE handle() const { return handle_; }
    uint32_t activity() const { return activity_.load(); }
    virtual bool isModule() const = 0;
    virtual bool decodeOnly() const { return false; }

    // TA_ERROR_* code; TA_OK on success.
    virtual int play(bool restart) = 0;
    int pause();
    void stop();

    // The mixer's pull: exactly `frames` frames (silence where the channel has
    // none). True when the channel reached its end during this pull.
    virtual bool render(int16_t* out, std::size_t frames) = 0;

    void addSync(const Sync& sync);
    // Calls the end syncs; never under the channel's lock, since a sync may
    // call back into the library.
    void fireEndSyncs();

protected:
    std::mutex mutex_;
    std::atomic<uint32_t> activity_{TA_ACTIVE_STOPPED};

private:
    TA_HANDLE handle_;
    std::vector<Sync> syncs_;
};

class MusicChannel final : public Channel {
public:
    MusicChannel(TA_HANDLE handle, std::unique_ptr<ModuleDecoder> decoder, bool decodeOnly);
    bool isModule() const override { return true; }
    bool decodeOnly() const override { return decodeOnly_; }
    uint64_t lengthBytes() const { return decoder_->lengthFrames() * kBytesPerFrame; }
    uint32_t rate() const { return decoder_->rate(); }

    int play(bool restart) override;
    bool render(int16_t* out, std::size_t frames) override;
    bool setPosition(uint64_t position);
    // Decode-only reading: bytes decoded, fewer at the end. `ended` tells
    // whether this read reached the end for the first time.
    uint32_t getData(void* buffer, uint32_t length, bool& ended);

private:
    std::size_t decodeLocked(int16_t* out, std::size_t frames, bool& ended);

    std::unique_ptr<ModuleDecoder> decoder_;
    bool decodeOnly_;
    bool endReached_ = false;
};

class StreamChannel final : public Channel {
public:
    StreamChannel(TA_HANDLE handle, TA_STREAMPROC proc, void* user) : Channel(handle), proc_(proc), user_(user) {}
    bool isModule() const override { return false; }

    // Starting takes the first block from the fill callback at once, so what
    // the stream has consumed shows as soon as play returns.
    int play(bool restart) override;
    bool render(int16_t* out, std::size_t frames) override;
    // After this returns, the fill callback is never called again.
    void release();

private:
    // Asks the fill callback for one block; false when it gave nothing.
    bool fetchLocked();

    TA_STREAMPROC proc_;
    void* user_;
    std::vector<uint8_t> pending_;
    std::size_t pendingOffset_ = 0;
    bool lastBlock_ = false;
};

}  // namespace trackaudio
