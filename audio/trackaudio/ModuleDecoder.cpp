#include "audio/trackaudio/ModuleDecoder.h"

#include <libopenmpt/libopenmpt.hpp>

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>

namespace trackaudio {

namespace {

// The default end fades out for a tenth of a second more than the song; the
// length has to be the song. Dithering would make two decodes of one module
// differ. Measuring the song at load would walk all of it again at every seek,
// which opens the module afresh; it is measured when asked for instead.
const std::map<std::string, std::string> kDecoderSettings = {
    {"play.at_end", "stop"}, {"seek.sync_samples", "1"}, {"dither", "0"}, {"load.skip_subsongs_init", "1"}};

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

// libopenmpt measures a song by walking its orders, rows, speeds, tempos,
// jumps, breaks and loops without mixing a sample, in ticks as long as the
// mixer makes them at its current rate. Set to the output rate first, the
// measure is exactly the frames a decode from start to end gives; measured at
// load, it would be taken at libopenmpt's default rate and differ by the
// rounding of every tick.
uint64_t countFrames(const std::vector<char>& bytes, uint32_t rate) {
    auto module = openModule(bytes);
    if (!module) return 0;
    int16_t none[2] = {};
    module->read(static_cast<int32_t>(rate), 0, none);
    return static_cast<uint64_t>(std::llround(module->get_duration_seconds() * rate));
}

}  // namespace

std::unique_ptr<ModuleDecoder> ModuleDecoder::load(const std::vector<char>& bytes, uint32_t rate, bool silent) {
    auto module = openModule(bytes);
    if (!module) return nullptr;
    const uint64_t length = countFrames(bytes, rate);
    return std::unique_ptr<ModuleDecoder>(new ModuleDecoder(bytes, std::move(module), rate, length, silent));
}

ModuleDecoder::ModuleDecoder(std::vector<char> bytes, std::unique_ptr<openmpt::module> module, uint32_t rate,
                             uint64_t lengthFrames, bool silent)
    : bytes_(std::move(bytes)), module_(std::move(module)), rate_(rate), lengthFrames_(lengthFrames), silent_(silent) {}

ModuleDecoder::~ModuleDecoder() = default;

bool ModuleDecoder::seekFrame(uint64_t frame) {
    if (frame > lengthFrames_) return false;
    if (silent_) {
        silentFrame_ = frame;
        return true;
    }
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
    if (!silent_) return module_->read_interleaved_stereo(static_cast<int32_t>(rate_), frames, interleaved);
    // The measured length is the decode's own, so silence ends where the
    // sound would.
    const auto count = static_cast<std::size_t>(std::min<uint64_t>(frames, lengthFrames_ - silentFrame_));
    std::fill_n(interleaved, 2 * count, int16_t{0});
    silentFrame_ += count;
    return count;
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
