// The body of a recording: one line for each thing the platform told the game
// (an input event, a timer tick, an idle pass, a posted task) and for each
// answer the game got from it (the clock, the pointer, a presented frame, a
// sleep, the time of day), in the order the game saw them. Lines are words
// separated by spaces, as in the headless script language.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
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

// One line of text (without its line break) as words, '#' starting a
// comment; nothing when it holds no word.
std::optional<TraceLine> splitLine(std::string_view text, int number);

// Splits `source` into lines of words; empty lines and '#' comments are left out.
std::vector<TraceLine> splitTrace(const std::string& source);

// Walks the lines of a trace kept as text, one at a time, so that a long
// trace costs its text and not a structure per line. Empty lines and
// comments are stepped over, as splitTrace leaves them out.
class TraceCursor {
public:
    TraceCursor() = default;
    // `text` (which must outlive the cursor) starts at line `firstNumber`.
    TraceCursor(std::string_view text, int firstNumber);

    // The next line, or null when there is none left.
    const TraceLine* peek();
    // The next line, consumed; there must be one.
    TraceLine take();
    bool atEnd() { return peek() == nullptr; }

private:
    std::string_view text_;
    size_t position_ = 0;
    int nextNumber_ = 1;
    std::optional<TraceLine> current_;
};

}  // namespace ik
