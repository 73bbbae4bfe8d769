#include "platform/replay/ReplayPlatform.h"

#include <algorithm>
#include <charconv>

#include "platform/VirtualKeys.h"

namespace ik {

namespace {

// A word of a trace line as a number; nothing when it is not one.
template <typename T>
bool number(const TraceLine& line, size_t index, T& value) {
    if (index >= line.words.size()) return false;
    const std::string& word = line.words[index];
    auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    return error == std::errc() && end == word.data() + word.size();
}

bool platformVerb(const std::string& verb) {
    static const char* const verbs[] = {"clock", "pointer", "active",    "idle",      "idles",         "timer",
                                        "task",  "vkdown",  "vkup",      "char",      "mousedown",     "mouseup",
                                        "click", "focus",   "close",     "terminate", "display-reset", "display-lost",
                                        "frame", "sleep",   "timeofday", "audio"};
    return std::find(std::begin(verbs), std::end(verbs), verb) != std::end(verbs);
}

std::string at(const TraceLine& line) { return "line " + std::to_string(line.number) + ": "; }

}  // namespace

class ReplayPlatform::Timer : public IntervalTimer {
public:
    Timer(ReplayPlatform& owner, size_t number) : owner_(owner), number_(number) {}
    ~Timer() override { owner_.timers_[number_] = nullptr; }
    void setEnabled(bool enabled) override { enabled_ = enabled; }
    bool enabled() const override { return enabled_; }
    void setInterval(uint32_t ms) override { interval_ = ms; }
    uint32_t interval() const override { return interval_; }
    void setHandler(std::function<void()> onTimer) override { handler_ = std::move(onTimer); }
    void fire() const {
        if (handler_) handler_();
    }

private:
    ReplayPlatform& owner_;
    const size_t number_;
    bool enabled_ = false;
    uint32_t interval_ = 1000;
    std::function<void()> handler_;
};

// Runs the replay from a window's loop: the recorded clock follows the real
// one, and the player's keys steer the replay instead of the game.
class ReplayPlatform::Pacer : public EventSink {
public:
    Pacer(ReplayPlatform& owner, EventSink& game) : owner_(owner), game_(game), realStart_(owner.behind_.ticks()) {}

    void onKeyDown(uint16_t virtualKey, bool repeat) override {
        if (repeat) return;
        if (virtualKey == vk::Escape) stop();
        if (virtualKey == vk::letter('P') || virtualKey == vk::Space) {
            paused_ = !paused_;
            if (paused_) pausedAt_ = owner_.behind_.ticks();
            else
                realStart_ += owner_.behind_.ticks() - pausedAt_;
        }
    }
    void onKeyUp(uint16_t) override {}
    void onChar(char32_t) override {}
    void onMouseDown(MouseButton, Point) override {}
    void onMouseUp(MouseButton, Point) override {}
    void onClick() override {}
    void onActivate(bool) override {}
    void onCloseRequest() override { stop(); }
    void onDisplayLost() override { stop(); }
    void onIdle() override {
        if (paused_) return;
        const uint32_t realElapsed = owner_.behind_.ticks() - realStart_;
        // A bounded batch per pass keeps the window answering its keys.
        for (int steps = 0; steps < 4096; ++steps) {
            const TraceLine* next = owner_.lines_.peek();
            if (next != nullptr && next->verb == "clock") {
                uint32_t clock = 0;
                if (number(*next, 0, clock) && clock - owner_.firstClock_ > realElapsed) return;
            }
            if (!owner_.step(game_)) {
                owner_.behind_.quit();
                return;
            }
        }
    }

private:
    void stop() {
        owner_.stopped_ = true;
        owner_.behind_.quit();
    }

    ReplayPlatform& owner_;
    EventSink& game_;
    uint32_t realStart_;
    uint32_t pausedAt_ = 0;
    bool paused_ = false;
};

ReplayPlatform::ReplayPlatform(Platform& display, bool paced, TraceCursor lines, Annotation annotation)
    : StandInPlatform(display), paced_(paced), lines_(lines), annotation_(std::move(annotation)) {
    const TraceLine* first = lines_.peek();
    if (first != nullptr && first->verb == "clock") number(*first, 0, firstClock_);
    clock_ = firstClock_;
    takeStateLines();
}

ReplayPlatform::~ReplayPlatform() = default;

void ReplayPlatform::run(EventSink& sink) {
    if (paced_) {
        Pacer pacer(*this, sink);
        behind_.run(pacer);
    } else {
        while (step(sink)) {
        }
    }
    // Records stored while the game closed come after its last event.
    if (divergence_.empty() && !stopped_) takeChecks();
}

void ReplayPlatform::quit() {}

// The game meets the devices the recorded run met: none where it had none.
std::unique_ptr<AudioDevice> ReplayPlatform::openAudio(const AudioFormat& format, AudioCallback callback) {
    const std::optional<TraceLine> line = expect("audio", "opened a sound device");
    if (!line || line->words.size() != 1 || line->words[0] != "1") return nullptr;
    return behind_.openAudio(format, std::move(callback));
}

void ReplayPlatform::setClock(uint32_t value) {
    if (behind_.headless()) behind_.sleep(value - clock_);
    clock_ = value;
}

void ReplayPlatform::diverge(const std::string& what) {
    if (divergence_.empty()) divergence_ = what;
}

bool ReplayPlatform::takeChecks() {
    while (lines_.peek() != nullptr && !platformVerb(lines_.peek()->verb)) {
        const TraceLine check = lines_.take();
        const std::string disagreement = annotation_(check);
        if (!disagreement.empty()) {
            diverge(at(check) + disagreement);
            return false;
        }
    }
    return true;
}

void ReplayPlatform::takeStateLines() {
    while (const TraceLine* next = lines_.peek()) {
        const TraceLine& line = *next;
        if (line.verb == "clock") {
            uint32_t value = 0;
            if (!number(line, 0, value)) return diverge(at(line) + "clock needs a number");
            setClock(value);
        } else if (line.verb == "pointer") {
            if (!number(line, 0, pointer_.x) || !number(line, 1, pointer_.y)) {
                return diverge(at(line) + "pointer needs X and Y");
            }
        } else if (line.verb == "active") {
            active_ = line.words.size() == 1 && line.words[0] == "1";
        } else {
            return;
        }
        lines_.take();
    }
}

std::optional<TraceLine> ReplayPlatform::expect(const char* verb, const char* what) {
    // The recording's own checks written during this delivery come first.
    if (!takeChecks()) return std::nullopt;
    const TraceLine* line = lines_.peek();
    if (line == nullptr) {
        diverge(std::string("the game ") + what + " after the recording's last line");
        return std::nullopt;
    }
    if (line->verb != verb) {
        diverge(at(*line) + "the game " + what + " where the recording has '" + line->verb + "'");
        return std::nullopt;
    }
    return lines_.take();
}

bool ReplayPlatform::step(EventSink& sink) {
    takeStateLines();
    if (!going() || lines_.atEnd()) return false;
    const TraceLine line = lines_.take();
    const std::string& verb = line.verb;
    uint32_t a = 0;
    Point p;
    auto needs = [&](bool ok, const char* form) {
        if (!ok) diverge(at(line) + verb + " needs " + form);
        return ok;
    };
    uint32_t b = 0;
    if (verb == "idle") {
        sink.onIdle();
    } else if (verb == "idles") {
        if (needs(number(line, 0, a) && number(line, 1, b), "a count and a step")) {
            for (uint32_t pass = 0; pass < a && going(); ++pass) {
                setClock(clock_ + b);
                sink.onIdle();
            }
        }
    } else if (verb == "timer") {
        if (needs(number(line, 0, a), "a number")) {
            // A timer missing or switched off here ticked in the recorded run:
            // the music's check for the end of its output, which follows the
            // sound device. Where the game's own timers part ways, the final
            // state and frame tell.
            if (a < timers_.size() && timers_[a] != nullptr && timers_[a]->enabled()) timers_[a]->fire();
        }
    } else if (verb == "task") {
        // Only the music posts tasks (the end of a piece, as the sound output
        // reached it): one that never comes changes the music, not the game.
        if (!posted_.empty()) {
            auto task = std::move(posted_.front());
            posted_.pop_front();
            task();
        }
    } else if (verb == "vkdown") {
        uint32_t repeat = 0;
        if (needs(number(line, 0, a) && number(line, 1, repeat) && setHeld(a, true), "a key and 0 or 1")) {
            sink.onKeyDown(static_cast<uint16_t>(a), repeat != 0);
        }
    } else if (verb == "vkup") {
        if (needs(number(line, 0, a) && setHeld(a, false), "a key")) {
            sink.onKeyUp(static_cast<uint16_t>(a));
        }
    } else if (verb == "char") {
        if (needs(number(line, 0, a), "a code point")) sink.onChar(static_cast<char32_t>(a));
    } else if (verb == "mousedown" || verb == "mouseup") {
        if (needs(number(line, 0, a) && a <= 2 && number(line, 1, p.x) && number(line, 2, p.y), "a button, X and Y")) {
            const auto button = static_cast<MouseButton>(a);
            if (verb == "mousedown") sink.onMouseDown(button, p);
            else
                sink.onMouseUp(button, p);
        }
    } else if (verb == "click") {
        sink.onClick();
    } else if (verb == "focus") {
        if (needs(line.words.size() == 1 && (line.words[0] == "on" || line.words[0] == "off"), "on or off")) {
            active_ = line.words[0] == "on";
            sink.onActivate(active_);
        }
    } else if (verb == "close") {
        sink.onCloseRequest();
    } else if (verb == "terminate") {
        sink.onTerminate();
    } else if (verb == "display-reset") {
        sink.onDisplayReset();
    } else if (verb == "display-lost") {
        sink.onDisplayLost();
    } else if (verb == "frame" || verb == "sleep" || verb == "timeofday" || verb == "audio") {
        diverge(at(line) + "the recording has '" + verb + "' where the game waited for its next event");
    } else {
        const std::string disagreement = annotation_(line);
        if (!disagreement.empty()) diverge(at(line) + disagreement);
    }
    if (observer_) observer_();
    return going();
}

std::unique_ptr<IntervalTimer> ReplayPlatform::createTimer() {
    auto timer = std::make_unique<Timer>(*this, timers_.size());
    timers_.push_back(timer.get());
    return timer;
}

uint32_t ReplayPlatform::timeOfDayMs() {
    const std::optional<TraceLine> line = expect("timeofday", "asked for the time of day");
    uint32_t value = 0;
    if (line && !number(*line, 0, value)) diverge(at(*line) + "timeofday needs a number");
    return value;
}

void ReplayPlatform::sleep(uint32_t ms) {
    const std::optional<TraceLine> line = expect("sleep", "slept");
    uint32_t recorded = 0;
    if (!line) return;
    uint32_t after = 0;
    if (!number(*line, 0, recorded) || recorded != ms || !number(*line, 1, after)) {
        diverge(at(*line) + "the game slept " + std::to_string(ms) + " ms where the recording has '" +
                (line->words.empty() ? std::string() : line->words[0]) + "'");
        return;
    }
    setClock(after);
}

void ReplayPlatform::present(const uint16_t* pixels) {
    const std::optional<TraceLine> line = expect("frame", "presented a frame");
    if (!line) return;
    uint32_t after = 0;
    if (!number(*line, 0, after)) diverge(at(*line) + "frame needs the clock after it");
    setClock(after);
    ++framesPresented_;
    if (paced_) behind_.present(pixels);
}

void ReplayPlatform::messageBox(const std::string& caption, const std::string& text, MessageBoxKind kind) {
    behind_.messageBox(caption, text, kind);
}

}  // namespace ik
