#include "audio/trackaudio/Channel.h"

#include <algorithm>
#include <cstring>

namespace trackaudio {

namespace {

// What a stream asks its fill callback for at a time: one device buffer.
constexpr uint32_t kStreamBlockBytes = 1024 * kBytesPerFrame;

bool isSecondsPosition(uint64_t position) { return (position >> 16) == 0xFFFFFFFFFFFFull; }

}  // namespace

int Channel::pause() {
    std::lock_guard lock(mutex_);
    const uint32_t now = activity_.load();
    if (now != TA_ACTIVE_PLAYING && now != TA_ACTIVE_STALLED) return TA_ERROR_ENDED;
    activity_ = TA_ACTIVE_PAUSED;
    return TA_OK;
}

void Channel::stop() {
    std::lock_guard lock(mutex_);
    activity_ = TA_ACTIVE_STOPPED;
}

void Channel::addSync(const Sync& sync) {
    std::lock_guard lock(mutex_);
    syncs_.push_back(sync);
}

void Channel::fireEndSyncs() {
    std::vector<Sync> syncs;
    {
        std::lock_guard lock(mutex_);
        syncs = syncs_;
    }
    for (const Sync& sync : syncs) sync.proc(sync.id, handle_, 0, sync.user);
}

MusicChannel::MusicChannel(TA_HANDLE handle, std::unique_ptr<ModuleDecoder> decoder, bool decodeOnly)
    : Channel(handle), decoder_(std::move(decoder)), decodeOnly_(decodeOnly) {}

int MusicChannel::play(bool restart) {
    if (decodeOnly_) return TA_ERROR_DECODE;
    std::lock_guard lock(mutex_);
    if (restart) {
        decoder_->seekFrame(0);
        endReached_ = false;
    }
    activity_ = TA_ACTIVE_PLAYING;
    return TA_OK;
}

std::size_t MusicChannel::decodeLocked(int16_t* out, std::size_t frames, bool& ended) {
    const std::size_t got = decoder_->decode(out, frames);
    ended = got < frames && !endReached_;
    if (got < frames) endReached_ = true;
    return got;
}

bool MusicChannel::render(int16_t* out, std::size_t frames) {
    std::lock_guard lock(mutex_);
    std::size_t got = 0;
    bool ended = false;
    if (activity_ == TA_ACTIVE_PLAYING) {
        got = decodeLocked(out, frames, ended);
        if (got < frames) activity_ = TA_ACTIVE_STOPPED;
    }
    std::fill(out + 2 * got, out + 2 * frames, int16_t{0});
    return ended;
}

bool MusicChannel::setPosition(uint64_t position) {
    std::lock_guard lock(mutex_);
    const uint64_t frame =
        isSecondsPosition(position) ? (position & 0xFFFFu) * decoder_->rate() : position / kBytesPerFrame;
    if (!decoder_->seekFrame(frame)) return false;
    endReached_ = false;
    return true;
}

uint32_t MusicChannel::getData(void* buffer, uint32_t length, bool& ended) {
    std::lock_guard lock(mutex_);
    const std::size_t got = decodeLocked(static_cast<int16_t*>(buffer), length / kBytesPerFrame, ended);
    return static_cast<uint32_t>(got * kBytesPerFrame);
}

int StreamChannel::play(bool restart) {
    std::lock_guard lock(mutex_);
    if (!proc_) return TA_ERROR_HANDLE;
    if (restart) {
        pending_.clear();
        pendingOffset_ = 0;
        lastBlock_ = false;
    }
    activity_ = TA_ACTIVE_PLAYING;
    if (pendingOffset_ == pending_.size() && !lastBlock_ && !fetchLocked()) activity_ = TA_ACTIVE_STALLED;
    return TA_OK;
}

bool StreamChannel::fetchLocked() {
    pending_.resize(kStreamBlockBytes);
    const uint32_t result = proc_(handle(), pending_.data(), kStreamBlockBytes, user_);
    lastBlock_ = (result & TA_STREAMPROC_END) != 0;
    pending_.resize(std::min(result & ~TA_STREAMPROC_END, kStreamBlockBytes));
    pendingOffset_ = 0;
    return !pending_.empty() || lastBlock_;
}

bool StreamChannel::render(int16_t* out, std::size_t frames) {
    std::lock_guard lock(mutex_);
    auto* bytes = reinterpret_cast<uint8_t*>(out);
    const std::size_t wanted = frames * kBytesPerFrame;
    std::size_t done = 0;
    bool ended = false;
    while (done < wanted && (activity_ == TA_ACTIVE_PLAYING || activity_ == TA_ACTIVE_STALLED)) {
        if (pendingOffset_ == pending_.size()) {
            if (lastBlock_) {
                activity_ = TA_ACTIVE_STOPPED;
                ended = true;
                break;
            }
            if (!fetchLocked()) {
                activity_ = TA_ACTIVE_STALLED;
                break;
            }
            activity_ = TA_ACTIVE_PLAYING;
            continue;
        }
        const std::size_t step = std::min(wanted - done, pending_.size() - pendingOffset_);
        std::memcpy(bytes + done, pending_.data() + pendingOffset_, step);
        pendingOffset_ += step;
        done += step;
    }
    std::memset(bytes + done, 0, wanted - done);
    return ended;
}

void StreamChannel::release() {
    std::lock_guard lock(mutex_);
    activity_ = TA_ACTIVE_STOPPED;
    proc_ = nullptr;
}

}  // namespace trackaudio
