#include "audio/trackaudio/ModuleDecoder.h"

#include <libopenmpt/libopenmpt.hpp>

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <sstream>
#include <tuple>

namespace trackaudio {

namespace {

// The default end fades out for a tenth of a second more than the song; the
// length has to be the song. Dithering would make two decodes of one module
// differ.
const std::map<std::string, std::string> kDecoderSettings = {
    {"play.at_end", "stop"}, {"seek.sync_samples", "1"}, {"dither", "0"}};

// A pattern loop without an exit never reaches the end; past this margin over
// libopenmpt's own estimate the song counts as ending there.
constexpr double kEndlessMarginSeconds = 10.0;
// Counting a song's frames decodes all of it. A file can announce a song of
// many hours in a few hundred bytes, which would stall the game for minutes;
// past this length libopenmpt's estimate stands for the count.
constexpr double kLongestCountedSeconds = 20 * 60;

std::unique_ptr<openmpt::module> openModule(const std::vector<char>& bytes) {
    std::ostringstream discardedLog;
    try {
        auto module = std::make_unique<openmpt::module>(bytes, discardedLog, kDecoderSettings);
        if (module->get_num_channels() <= 0) return nullptr;
        return module;
    } catch (const std::exception&) {
        return nullptr;
    }
}

uint64_t countFrames(const std::vector<char>& bytes, uint32_t rate) {
    auto module = openModule(bytes);
    // Interpolation changes the samples, never the timing: the cheapest filter
    // counts the same frames.
    module->set_render_param(openmpt::module::RENDER_INTERPOLATIONFILTER_LENGTH, 1);
    const double estimate = module->get_duration_seconds();
    if (estimate > kLongestCountedSeconds) return static_cast<uint64_t>(estimate * rate);
    const auto cap = static_cast<uint64_t>((estimate + kEndlessMarginSeconds) * rate);
    std::vector<int16_t> scratch(8192);
    uint64_t frames = 0;
    while (frames < cap) {
        const std::size_t got = module->read(static_cast<int32_t>(rate), scratch.size(), scratch.data());
        if (got == 0) break;
        frames += got;
    }
    return std::min(frames, cap);
}

uint64_t contentHash(const std::vector<char>& bytes) {
    uint64_t hash = 1469598103934665603ull;
    for (char byte : bytes) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= 1099511628211ull;
    }
    return hash;
}

// The game reopens the same file at every loop of a stretch; counting its
// frames again each time would stall the caller for the length of a decode.
uint64_t cachedLength(const std::vector<char>& bytes, uint32_t rate) {
    static std::mutex mutex;
    static std::map<std::tuple<uint64_t, std::size_t, uint32_t>, uint64_t> lengths;
    const auto key = std::make_tuple(contentHash(bytes), bytes.size(), rate);
    {
        std::lock_guard lock(mutex);
        if (auto found = lengths.find(key); found != lengths.end()) return found->second;
    }
    const uint64_t frames = countFrames(bytes, rate);
    std::lock_guard lock(mutex);
    lengths[key] = frames;
    return frames;
}

}  // namespace

std::unique_ptr<ModuleDecoder> ModuleDecoder::load(const std::vector<char>& bytes, uint32_t rate) {
    auto module = openModule(bytes);
    if (!module) return nullptr;
    const uint64_t length = cachedLength(bytes, rate);
    return std::unique_ptr<ModuleDecoder>(new ModuleDecoder(bytes, std::move(module), rate, length));
}

ModuleDecoder::ModuleDecoder(std::vector<char> bytes, std::unique_ptr<openmpt::module> module, uint32_t rate,
                             uint64_t lengthFrames)
    : bytes_(std::move(bytes)), module_(std::move(module)), rate_(rate), lengthFrames_(lengthFrames) {}

ModuleDecoder::~ModuleDecoder() = default;

bool ModuleDecoder::seekFrame(uint64_t frame) {
    if (frame > lengthFrames_) return false;
    // libopenmpt keeps notes, ramps and filter history across its own seeks,
    // so the same seek would sound different after different pasts: start
    // from a freshly loaded module instead.
    if (auto fresh = openModule(bytes_)) module_ = std::move(fresh);
    // libopenmpt lands on the first row at or after the time asked for, so
    // ask a second early and decode the rest of the way.
    const double target = static_cast<double>(frame) / rate_;
    double landed = module_->set_position_seconds(std::max(0.0, target - 1.0));
    if (landed > target) landed = module_->set_position_seconds(0.0);
    const auto landedFrame = static_cast<uint64_t>(std::llround(landed * rate_));
    if (landedFrame < frame) discard(frame - landedFrame);
    return true;
}

std::size_t ModuleDecoder::decode(int16_t* interleaved, std::size_t frames) {
    return module_->read_interleaved_stereo(static_cast<int32_t>(rate_), frames, interleaved);
}

void ModuleDecoder::discard(uint64_t frames) {
    std::vector<int16_t> scratch(2 * 4096);
    while (frames > 0) {
        const std::size_t step = static_cast<std::size_t>(std::min<uint64_t>(frames, 4096));
        if (decode(scratch.data(), step) == 0) return;
        frames -= step;
    }
}

}  // namespace trackaudio
