// The module read by libopenmpt, the decoder under the game's audio library:
// its title, its length, and for every music cue of the screens a piece that
// begins exactly on the second the player seeks to, neither silent nor clipped,
// mastered in stereo, changing on the way, and looping without a cut.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <libopenmpt/libopenmpt.hpp>
#include <sstream>

#include "GeneratedData.h"
#include "tools/assetgen/Loudness.h"

namespace ik::test {
namespace {

constexpr int kRate = 44100;

std::vector<char> readModule() {
    std::ifstream in(dataFile("music.dat"), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Cue {
    const char* screens;
    double start, end;  // percent of the module's length
};

const Cue kCues[] = {{"loading screen, menu, pages", 62.83, 75},
                     {"episode 1", 76.2, 99.5},
                     {"episode 2", 18.2, 42.5},
                     {"episode 3", 43.5, 61.7},
                     {"episode 4", 0, 17.1}};

// Stretch bounds in milliseconds as the game computes them.
uint32_t cueMs(uint32_t length, double percent) { return static_cast<uint32_t>(length * percent / 100); }

// Reads up to `frames` stereo frames.
std::vector<float> readFrames(openmpt::module& module, size_t frames) {
    std::vector<float> audio(frames * 2);
    size_t got = 0;
    while (got < frames) {
        size_t step = module.read_interleaved_stereo(kRate, std::min<size_t>(4096, frames - got), &audio[got * 2]);
        if (!step) break;
        got += step;
    }
    audio.resize(got * 2);
    return audio;
}

// RMS over both channels of frames [from, to).
double rmsOf(const std::vector<float>& audio, size_t from, size_t to) {
    double energy = 0;
    for (size_t i = from * 2; i < to * 2; ++i) energy += audio[i] * audio[i];
    return to > from ? std::sqrt(energy / (2.0 * (to - from))) : 0;
}

class MusicModule : public ::testing::Test {
protected:
    // One load and one full decode serve every test of the suite.
    static void SetUpTestSuite() {
        bytes = new std::vector<char>(readModule());
        log = new std::ostringstream;
        module = new openmpt::module(*bytes, *log);
        module->ctl_set_text("play.at_end", "stop");
        // The exact length, counted as the audio library counts it: one full decode.
        std::vector<float> buffer(2 * 4096);
        size_t frames = 0;
        while (size_t got = module->read_interleaved_stereo(kRate, 4096, buffer.data())) frames += got;
        lengthMs = static_cast<uint32_t>(std::lround(frames * 1000.0 / kRate));
    }
    static void TearDownTestSuite() {
        delete module;
        delete log;
        delete bytes;
    }

    // One round of a stretch as the game hears it: the player opens the
    // module afresh, decodes from a second before the seek second up to it,
    // then plays for as long as the stretch's bounds are apart.
    static std::vector<float> playStretch(const Cue& cue) {
        uint32_t low = cueMs(lengthMs, cue.start), high = cueMs(lengthMs, cue.end);
        std::ostringstream quiet;
        openmpt::module fresh(*bytes, quiet);
        const int seekSecond = static_cast<int>(low / 1000);
        if (seekSecond > 0) {
            double landed = fresh.set_position_seconds(seekSecond - 1);
            readFrames(fresh, static_cast<size_t>(std::lround((seekSecond - landed) * kRate)));
        }
        return readFrames(fresh, static_cast<size_t>((high - low) / 1000.0 * kRate));
    }

    static inline std::vector<char>* bytes = nullptr;
    static inline std::ostringstream* log = nullptr;
    static inline openmpt::module* module = nullptr;
    static inline uint32_t lengthMs = 0;
};

TEST_F(MusicModule, LoadsWithoutWarningsAndCarriesTheTitle) {
    ASSERT_GT(bytes->size(), 336u);
    EXPECT_EQ(log->str(), "");
    EXPECT_EQ(std::string(bytes->begin(), bytes->begin() + 17), "Extended Module: ");
    std::string title(bytes->begin() + 17, bytes->begin() + 37);
    EXPECT_EQ(title.substr(0, 18), "Ironkeel - Gubbinz");
    EXPECT_EQ(title.find_first_not_of(' ', 18), std::string::npos) << "only padding after the title";
    EXPECT_EQ(module->get_metadata("type"), "xm");
    EXPECT_EQ(module->get_metadata("title"), "Ironkeel - Gubbinz");
}

TEST_F(MusicModule, LastsFourToFiveMinutes) {
    std::printf("module length %u ms (libopenmpt estimate %.3f s)\n", lengthMs, module->get_duration_seconds());
    EXPECT_GE(lengthMs, 240000u);
    EXPECT_LE(lengthMs, 300000u);
}

TEST_F(MusicModule, EveryStretchStartsAPieceOnItsSeekSecondAndIsHeard) {
    for (const Cue& cue : kCues) {
        SCOPED_TRACE(cue.screens);
        uint32_t low = cueMs(lengthMs, cue.start), high = cueMs(lengthMs, cue.end);
        int seekSecond = static_cast<int>(low / 1000);
        module->set_position_seconds(seekSecond);
        double firstRow = module->get_position_seconds();
        // A piece begins with a pattern, so the seek lands on row 0 exactly on the second.
        EXPECT_NEAR(firstRow, seekSecond, 0.0005);
        EXPECT_EQ(module->get_current_row(), 0);

        // What the player hears of the stretch: from that second for high - low ms.
        size_t frames = static_cast<size_t>((high - low) / 1000.0 * kRate);
        std::vector<float> audio(frames * 2);
        size_t got = 0;
        while (got < frames) {
            size_t step = module->read_interleaved_stereo(kRate, std::min<size_t>(4096, frames - got), &audio[got * 2]);
            if (!step) break;
            got += step;
        }
        EXPECT_EQ(got, frames) << "the stretch runs past the module's end";
        double energy = 0, peak = 0;
        for (size_t i = 0; i < got * 2; ++i) {
            energy += audio[i] * audio[i];
            peak = std::max(peak, static_cast<double>(std::fabs(audio[i])));
        }
        double rms = std::sqrt(energy / (got * 2));
        std::printf("%-28s %6.2f-%6.2f %%  low %6u ms  seek %3d s  first row %8.3f s  rms %.3f  peak %.3f\n",
                    cue.screens, cue.start, cue.end, low, seekSecond, firstRow, rms, peak);
        EXPECT_GT(rms, 0.05) << "silent";
        EXPECT_LT(peak, 0.99) << "clipped";
    }
}

// Every piece at one loudness (EBU R128 integrated), with headroom, centred
// on zero and spread between the speakers.
TEST_F(MusicModule, EveryStretchIsMasteredInStereoAtOneLoudness) {
    for (const Cue& cue : kCues) {
        SCOPED_TRACE(cue.screens);
        const auto f = audio_measure::measure(playStretch(cue), 2, kRate);
        std::printf("%-28s %6.1f LUFS  peak %5.1f dBFS  dc %+.4f %+.4f  correlation %.2f\n", cue.screens, f.lufs,
                    f.peakDb, f.dc[0], f.dc[1], f.correlation);
        EXPECT_NEAR(f.lufs, -16, 1);
        EXPECT_LE(f.peakDb, -1);
        EXPECT_LT(std::fabs(f.dc[0]), 0.002);
        EXPECT_LT(std::fabs(f.dc[1]), 0.002);
        EXPECT_LT(f.correlation, 0.97) << "left and right all but the same";
        EXPECT_GT(f.correlation, 0.5) << "the speakers no longer play one piece";
    }
}

// A piece that only repeats one pattern at one level holds its short-term
// loudness within a dB or so; an intro, a break or a build moves it further.
TEST_F(MusicModule, EveryStretchChangesItsTextureOnTheWay) {
    for (const Cue& cue : kCues) {
        SCOPED_TRACE(cue.screens);
        const std::vector<float> audio = playStretch(cue);
        const size_t window = 3 * kRate, frames = audio.size() / 2;
        double softest = 100, loudest = -100;
        for (size_t start = 0; start + window <= frames; start += kRate) {
            std::vector<float> part(audio.begin() + static_cast<std::ptrdiff_t>(start * 2),
                                    audio.begin() + static_cast<std::ptrdiff_t>((start + window) * 2));
            const double lufs = audio_measure::integratedLoudness(part, 2, kRate);
            softest = std::min(softest, lufs);
            loudest = std::max(loudest, lufs);
        }
        std::printf("%-28s short-term loudness %.1f to %.1f LUFS\n", cue.screens, softest, loudest);
        EXPECT_GE(loudest - softest, 2.5);
    }
}

// The game starts a stretch again the moment its position leaves it, cutting
// whatever still sounds. So a round ends with everything released (nothing is
// cut, no click), after a short breath only, not a held chord then silence,
// and the next round starts from rest.
TEST_F(MusicModule, EveryStretchLoopsWithoutACutOrAGap) {
    for (const Cue& cue : kCues) {
        SCOPED_TRACE(cue.screens);
        const std::vector<float> audio = playStretch(cue);
        const size_t frames = audio.size() / 2, ms = kRate / 1000;
        const double average = rmsOf(audio, 0, frames);
        EXPECT_LT(rmsOf(audio, frames - 10 * ms, frames), 0.001) << "a note is cut at the seam";
        EXPECT_LT(std::max(std::fabs(audio[0]), std::fabs(audio[1])), 0.01) << "the round starts with a jump";
        size_t quiet = 0;  // the silent tail, in 10 ms steps
        while (quiet + 10 * ms <= frames && rmsOf(audio, frames - quiet - 10 * ms, frames - quiet) < 0.003)
            quiet += 10 * ms;
        std::printf("%-28s silent tail %zu ms\n", cue.screens, quiet / ms);
        EXPECT_LE(quiet, 300 * ms) << "the music stops well before the seam";
        EXPECT_GT(rmsOf(audio, frames - quiet - 1000 * ms, frames - quiet), average / 4)
            << "the last second before the seam fades away instead of leading back";
    }
}

}  // namespace
}  // namespace ik::test
