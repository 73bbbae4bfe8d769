// The module read by libopenmpt, the decoder under the game's audio library:
// its title, its length, and for every music cue of the screens a piece that
// begins exactly on the second the player seeks to, neither silent nor clipped.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <libopenmpt/libopenmpt.hpp>
#include <sstream>

#include "GeneratedData.h"

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

const Cue kCues[] = {{"loading screen, menu, pages", 62.83, 75}, {"episode 1", 76.2, 99.5},
                     {"episode 2", 18.2, 42.5},                  {"episode 3", 43.5, 61.7},
                     {"episode 4", 0, 17.1}};

// Stretch bounds in milliseconds as the game computes them.
uint32_t cueMs(uint32_t length, double percent) { return static_cast<uint32_t>(length * percent / 100); }

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

}  // namespace
}  // namespace ik::test
