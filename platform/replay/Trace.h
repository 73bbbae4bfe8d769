// The body of a recording: one line for each thing the platform told the game
// (an input event, a timer tick, an idle pass, a posted task) and for each
// answer the game got from it (the clock, the pointer, a presented frame, a
// sleep, the time of day), in the order the game saw them. Lines are words
// separated by spaces, as in the headless script language.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace ik {

// Writes lines and hands each to the system at once, so that a run that is
// killed leaves every line up to its last event behind.
class TraceWriter {
public:
    // Throws std::runtime_error("Cannot create file PATH") when it cannot.
    explicit TraceWriter(const std::string& path);
    ~TraceWriter();
    TraceWriter(const TraceWriter&) = delete;
    TraceWriter& operator=(const TraceWriter&) = delete;

    void line(const std::string& text);

private:
    std::FILE* file_;
};

struct TraceLine {
    int number = 0;  // in the file, from 1
    std::string verb;
    std::vector<std::string> words;
};

// Splits `source` into lines of words; empty lines and '#' comments are left out.
std::vector<TraceLine> splitTrace(const std::string& source);

}  // namespace ik
