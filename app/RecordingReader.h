// Reading a recording that may come from anyone: a stream of lines with a
// cap on one line and on the whole file, every line checked as it is read,
// so that a recording the game cannot replay as written is refused before
// the replay starts, in time and memory bounded by the caps.
//
// The clock rule. The recorder writes the clock the game saw at each change:
// a delivery's clock, the clock after a presented frame or a sleep, and the
// passes of the loop in which nothing happened (`idles COUNT STEP`). A frame
// moves the clock to the next 1/60 s, an idle pass by a millisecond or two,
// and a recording holds several lines for each frame; a window adds stalls
// the lines do not show (loading, a busy machine). So:
// - the clock never runs backwards;
// - no one event moves it by more than kClockLeadMs: a delivery, a frame,
//   one idle pass, a sleep beyond its own length;
// - at every line the clock is no further from its start than kClockLeadMs,
//   plus kClockPerLineMs for each line so far, plus the sleeps so far.
// A replay therefore plays at most kClockLeadMs + kClockPerLineMs a line
// (and the sleeps, each of which the game must ask for itself), and makes
// at most that many idle passes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>

#include "app/Recording.h"

namespace ik {

constexpr uint64_t kRecordingMaxBytes = 128ull << 20;  // the whole file
constexpr size_t kRecordingMaxLineBytes = 4096;        // one line but `scores`
constexpr size_t kRecordingMaxScoresBytes = 1 << 20;   // the "scores.dat" a `scores` line holds
constexpr uint32_t kClockPerLineMs = 17;               // a frame at 60 Hz, rounded up
constexpr uint32_t kClockLeadMs = 10000;

// Reads a whole recording from `in`, checking every line. Throws
// RecordingError ("line N: what") at the first line it refuses.
Recording readRecording(std::istream& in);

// True when the first line with a command (after comments) is `recording`.
// Reads no more than kRecordingMaxLineBytes a line and puts `in` back where
// it started.
bool looksLikeRecording(std::istream& in);

}  // namespace ik
