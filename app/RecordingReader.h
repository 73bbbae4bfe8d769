// Reading a recording that may come from anyone: a stream of lines with a
// cap on one line and on the whole file, every line checked as it is read,
// so that a recording the game cannot replay as written is refused before
// the replay starts, in time and memory bounded by the caps.
//
// The clock rule. The recorder writes the clock the game saw at each change:
// a delivery's clock, the clock after a presented frame or a sleep, and the
// passes of the loop in which nothing happened (`idles COUNT STEP`, each
// pass moving the clock by STEP, which is 1 ms or more: a pass that draws
// nothing waits a millisecond). A frame moves the clock to the next 1/60 s
// and an idle pass by a millisecond or two; a window adds stalls that no
// line shows (loading, a busy machine, and above all a message box, which
// holds the loop for as long as the player leaves it up). So:
// - the clock never runs backwards;
// - no one event moves it by more than kClockStepMs: a delivery, a frame,
//   one idle pass, a sleep beyond its own length;
// - it never gets further than kRecordingMaxPlayMs from its start.
// A replay therefore plays at most kRecordingMaxPlayMs of the game's clock
// and makes at most one idle pass a millisecond of it, besides one step a
// line of the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>

#include "app/Recording.h"

namespace ik {

constexpr uint64_t kRecordingMaxBytes = 128ull << 20;  // the whole file
constexpr size_t kRecordingMaxLineBytes = 4096;        // one line but `scores`
constexpr size_t kRecordingMaxScoresBytes = 1 << 20;   // the "scores.dat" a `scores` line holds
constexpr uint32_t kClockStepMs = 10 * 60000;          // one event's longest stall: a box left up
constexpr uint32_t kRecordingMaxPlayMs = 6 * 3600000;  // six hours of play

// Reads a whole recording from `in`, checking every line. Throws
// RecordingError ("line N: what") at the first line it refuses.
Recording readRecording(std::istream& in);

// True when the first line with a command (after comments) is `recording`.
// Reads no more than kRecordingMaxLineBytes a line and puts `in` back where
// it started.
bool looksLikeRecording(std::istream& in);

}  // namespace ik
