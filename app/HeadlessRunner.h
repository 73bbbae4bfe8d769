// Runs a script against the real game loop on the headless platform's virtual
// clock: input commands only queue their events; `wait` and `frames` run the
// loop, which first delivers what is queued, in order.
#pragma once

#include <string>
#include <vector>

#include "app/HeadlessScript.h"

namespace ik {

class EventSink;
class HeadlessPlatform;
class TForm1;

class HeadlessRunner {
public:
    HeadlessRunner(HeadlessPlatform& platform, TForm1& form);
    // `sink` receives the loop's deliveries in place of the form (a recorder
    // in front of it).
    HeadlessRunner(HeadlessPlatform& platform, TForm1& form, EventSink& sink)
        : platform_(platform), form_(form), sink_(sink) {}
    // Runs every command, then closes the form as `quit` does. A `shot` or
    // `state` that cannot be written throws ScriptError naming its line.
    void run(const std::vector<ScriptCommand>& commands);
    // Runs one command, as `run` does each; a caller that decides the next
    // command from the state (the demo bot) runs them one at a time and ends
    // with `run({})`.
    void execute(const ScriptCommand& command);

private:
    void waitFor(uint64_t ms);
    void waitForFrames(uint64_t count);
    void writeShot(const std::string& path) const;
    void writeState(const std::string& path) const;

    HeadlessPlatform& platform_;
    TForm1& form_;
    EventSink& sink_;
};

}  // namespace ik
