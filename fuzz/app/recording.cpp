// A recording as anyone may hand one over, read and checked line by line:
// the reader refuses it with a RecordingError or accepts it, and what it
// accepts holds the clock the rule allows, walked line by line as the
// replayer walks it.
#include <cstdint>
#include <sstream>
#include <string>

#include "app/Recording.h"
#include "app/RecordingReader.h"
#include "platform/replay/Trace.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    ik::Recording recording;
    try {
        recording = ik::readRecording(in);
    } catch (const ik::RecordingError&) {
        return 0;
    }
    ik::TraceCursor cursor(recording.body, recording.bodyFirstLine);
    const ik::TraceLine first = cursor.take();
    if (first.verb != "clock") __builtin_trap();
    const uint64_t start = std::stoul(first.words[0]);
    uint64_t clock = start;
    int number = first.number;
    while (const ik::TraceLine* line = cursor.peek()) {
        if (line->number <= number || line->number > recording.lastLine) __builtin_trap();
        number = line->number;
        uint64_t to = clock;
        if (line->verb == "clock" || line->verb == "frame") to = std::stoul(line->words[0]);
        if (line->verb == "sleep") to = std::stoul(line->words[1]);
        if (line->verb == "idles") to = clock + uint64_t{std::stoul(line->words[0])} * std::stoul(line->words[1]);
        if (to < clock || to - start > ik::kRecordingMaxPlayMs) __builtin_trap();
        clock = to;
        cursor.take();
    }
    return 0;
}
