// A recording as anyone may hand one over: read and checked line by line,
// and when it is accepted, its first lines replayed headless by the game
// itself. The replay must end, within the recorded clock of the lines it
// played, which the reader's rule bounds.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

#include "app/Recording.h"
#include "app/RecordingReader.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/replay/Trace.h"

namespace {

// What a run replays of the body: a few seconds of play, which keeps a run
// to a second or two under the sanitizers, whatever the rule lets a whole
// recording hold.
constexpr int kReplayedLines = 300;
constexpr uint64_t kReplayedMs = 5000;

std::string scoresDir() {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("ironkeel-fuzz-recording-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    std::atexit([] {
        std::error_code ignored;
        fs::remove_all(fs::temp_directory_path() / ("ironkeel-fuzz-recording-" + std::to_string(::getpid())), ignored);
    });
    return folder.string();
}

// Cuts the body after `count` lines, or before the first line that would take
// its clock more than kReplayedMs from its start (a single line may move it
// by minutes, which the replay plays through pass by pass); returns how far
// the clock of what is left reaches from its start.
uint64_t keepLines(ik::Recording& recording, int count) {
    ik::TraceCursor cursor(recording.body, recording.bodyFirstLine);
    const uint64_t start = std::stoul(cursor.peek()->words[0]);
    uint64_t clock = start;
    int last = recording.bodyFirstLine;
    while (const ik::TraceLine* line = cursor.peek()) {
        if (line->number - recording.bodyFirstLine >= count) break;
        uint64_t next = clock;
        if (line->verb == "clock" || line->verb == "frame") next = std::stoul(line->words[0]);
        if (line->verb == "sleep") next = std::stoul(line->words[1]);
        if (line->verb == "idles") next += uint64_t{std::stoul(line->words[0])} * std::stoul(line->words[1]);
        if (next - start > kReplayedMs) break;
        clock = next;
        last = line->number;
        cursor.take();
    }
    size_t end = 0;
    for (int n = recording.bodyFirstLine; n <= last; ++n) end = recording.body.find('\n', end) + 1;
    if (end < recording.body.size()) {
        recording.body.resize(end);
        recording.end.reset();
    }
    return clock - start;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string scores = scoresDir();
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    ik::Recording recording;
    try {
        recording = ik::readRecording(in);
    } catch (const ik::RecordingError&) {
        return 0;
    }
    const uint64_t recorded = keepLines(recording, kReplayedLines);
    // The game finds its data files in the folder it starts in; libFuzzer
    // names its folders relative to its own.
    static const std::filesystem::path fuzzerFolder = std::filesystem::current_path();
    std::filesystem::current_path(IK_DATA_DIR);
    ik::HeadlessPlatform display(recording.header.startTimeMs);
    const ik::ReplayOutcome outcome = ik::replayRecording(recording, display, false, scores, IK_TRACKAUDIO_DIR, "");
    std::filesystem::current_path(fuzzerFolder);
    // The replay's clock is the recorded one, never beyond it.
    if (outcome.playMs > recorded || recorded > ik::kRecordingMaxPlayMs) __builtin_trap();
    return 0;
}
