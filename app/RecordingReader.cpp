#include "app/RecordingReader.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string>
#include <string_view>

#include "app/Language.h"
#include "platform/replay/Trace.h"

namespace ik {

namespace {

// The header's longest line: `scores` and the file's bytes in hex.
constexpr size_t kHeaderMaxLineBytes = 2 * kRecordingMaxScoresBytes + 16;
constexpr uint32_t kMsPerDay = 24 * 60 * 60 * 1000;

// A word of the file as a message may show it: printable, and short.
std::string shown(const std::string& word) {
    constexpr size_t kShown = 32;
    std::string text;
    for (size_t i = 0; i < word.size() && i < kShown; ++i) text += word[i] >= ' ' && word[i] <= '~' ? word[i] : '?';
    return word.size() > kShown ? text + "..." : text;
}

std::string lineAt(int number) { return "line " + std::to_string(number) + ": "; }

[[noreturn]] void refuse(const TraceLine& line, const std::string& what) {
    throw RecordingError(lineAt(line.number) + what);
}

template <typename T>
bool number(const std::string& word, T& value) {
    auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    return error == std::errc() && end == word.data() + word.size();
}

bool hexDigits(const std::string& word, size_t count) {
    return word.size() == count && std::all_of(word.begin(), word.end(),
                                               [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// Lines from a stream, counted, none longer than asked and no more bytes in
// all than a recording may have.
class LineSource {
public:
    explicit LineSource(std::istream& in) : buffer_(in.rdbuf()) {}

    // The next line without its break; false at the end of the input, which
    // leaves out a last line without a break (what a killed run leaves).
    bool next(std::string& text, size_t maxBytes) {
        text.clear();
        ++number_;
        if (buffer_ == nullptr) return false;
        while (true) {
            const auto c = buffer_->sbumpc();
            if (c == std::char_traits<char>::eof()) return false;
            if (++bytes_ > kRecordingMaxBytes) {
                throw RecordingError(lineAt(number_) + "the recording goes on past " +
                                     std::to_string(kRecordingMaxBytes >> 20) + " MiB, more than any run writes");
            }
            if (c == '\n') return true;
            if (text.size() == maxBytes) {
                throw RecordingError(lineAt(number_) + "longer than " + std::to_string(maxBytes) +
                                     " bytes, more than the recorder writes");
            }
            text.push_back(static_cast<char>(c));
        }
    }
    int number() const { return number_; }

private:
    std::streambuf* buffer_;
    int number_ = 0;
    uint64_t bytes_ = 0;
};

std::optional<std::string> fromHex(const std::string& hex) {
    if (hex.size() % 2 != 0) return std::nullopt;
    std::string out;
    out.reserve(hex.size() / 2);
    for (size_t i = 0; i < hex.size(); i += 2) {
        unsigned value = 0;
        auto [end, error] = std::from_chars(hex.data() + i, hex.data() + i + 2, value, 16);
        if (error != std::errc() || end != hex.data() + i + 2) return std::nullopt;
        out += static_cast<char>(value);
    }
    return out;
}

void readHeaderLine(const TraceLine& line, RecordingHeader& header) {
    const auto& w = line.words;
    if (line.verb == "port" && w.size() == 1) {
        header.port = w[0];
    } else if (line.verb == "seed" && w.size() == 1 && number(w[0], header.seed)) {
    } else if (line.verb == "start-time" && w.size() == 1) {
        unsigned h = 0, m = 0, s = 0, ms = 0;
        if (std::sscanf(w[0].c_str(), "%2u:%2u:%2u.%3u", &h, &m, &s, &ms) != 4 || h >= 24 || m >= 60 || s >= 60)
            refuse(line, "start-time needs HH:MM:SS.mmm");
        header.startTimeMs = ((h * 60 + m) * 60 + s) * 1000 + ms;
    } else if (line.verb == "option" && w.size() == 2 && (w[1] == "0" || w[1] == "1") &&
               (w[0] == "no3d" || w[0] == "quit-on-focus-loss")) {
        (w[0] == "no3d" ? header.no3d : header.quitOnFocusLoss) = w[1] == "1";
    } else if (line.verb == "language" && w.size() == 1) {
        if (!knownLanguage(w[0]))
            refuse(line, "played in language '" + shown(w[0]) + "', which this build does not speak");
        header.language = w[0];
    } else if (line.verb == "data" && w.size() == 2) {
        const auto names = dataFileNames(header.language);
        if (std::find(names.begin(), names.end(), w[0]) == names.end())
            refuse(line, "'" + shown(w[0]) + "' is no data file of the game");
        for (const auto& [name, digest] : header.data) {
            if (name == w[0]) refuse(line, "a second data line for " + name + " (edited?)");
        }
        header.data.emplace_back(w[0], w[1]);
    } else if (line.verb == "scores" && w.size() == 1) {
        if (w[0] == "-") {
            header.scores.reset();
        } else {
            if (w[0].size() > 2 * kRecordingMaxScoresBytes)
                refuse(line, "scores holds more than " + std::to_string(kRecordingMaxScoresBytes >> 10) + " KiB");
            header.scores = fromHex(w[0]);
            if (!header.scores) refuse(line, "scores needs the file's bytes in hex or -");
        }
    } else {
        refuse(line, "'" + shown(line.verb) + "' is no header line of a recording (edited?)");
    }
}

// What each line of the body holds: one letter a word.
//   u a number (32 bits)  p a number from 1  i a signed number  b 0 or 1
//   k a virtual key  c a code point  m a mouse button  f on or off
//   t a time of day in ms  w a word  n a frame count  h a SHA-256
struct BodyVerb {
    const char* verb;
    const char* words;
    const char* form;
};
constexpr BodyVerb kBodyVerbs[] = {
    {"clock", "u", "the clock"},
    {"pointer", "ii", "X and Y"},
    {"active", "b", "0 or 1"},
    {"idle", "", "no words"},
    {"idles", "pp", "a count and a step in ms, both 1 or more"},
    {"timer", "u", "a timer's number"},
    {"task", "", "no words"},
    {"vkdown", "kb", "a key below 256 and 0 or 1"},
    {"vkup", "k", "a key below 256"},
    {"char", "c", "a code point"},
    {"mousedown", "mii", "a button (0 to 2), X and Y"},
    {"mouseup", "mii", "a button (0 to 2), X and Y"},
    {"click", "", "no words"},
    {"focus", "f", "on or off"},
    {"close", "", "no words"},
    {"terminate", "", "no words"},
    {"display-reset", "", "no words"},
    {"display-lost", "", "no words"},
    {"frame", "u", "the clock after it"},
    {"sleep", "uu", "its length and the clock after it"},
    {"timeofday", "t", "a time of day in ms"},
    {"audio", "b", "0 or 1"},
    {"record", "wi", "a section and a score"},
    {"end", "nhh", "the frame count and two digests"},
};

bool wordFits(char kind, const std::string& word) {
    uint32_t u = 0;
    int32_t i = 0;
    uint64_t n = 0;
    switch (kind) {
        case 'u':
            return number(word, u);
        case 'p':
            return number(word, u) && u >= 1;
        case 'i':
            return number(word, i);
        case 'b':
            return word == "0" || word == "1";
        case 'k':
            return number(word, u) && u < 256;
        case 'c':
            return number(word, u) && u <= 0x10FFFF;
        case 'm':
            return number(word, u) && u <= 2;
        case 'f':
            return word == "on" || word == "off";
        case 't':
            return number(word, u) && u < kMsPerDay;
        case 'n':
            return number(word, n);
        case 'h':
            return hexDigits(word, 64);
        default:
            return true;
    }
}

void checkWords(const TraceLine& line) {
    const auto known = std::find_if(std::begin(kBodyVerbs), std::end(kBodyVerbs),
                                    [&](const BodyVerb& v) { return line.verb == v.verb; });
    if (known == std::end(kBodyVerbs)) refuse(line, "'" + shown(line.verb) + "' is no line of a recording (edited?)");
    const std::string_view kinds = known->words;
    bool fits = line.words.size() == kinds.size();
    for (size_t i = 0; fits && i < kinds.size(); ++i) fits = wordFits(kinds[i], line.words[i]);
    if (!fits) refuse(line, line.verb + " needs " + known->form);
}

// Follows the recorded clock through the body (the rule in the header file).
class ClockRule {
public:
    explicit ClockRule(uint32_t start) : start_(start), clock_(start) {}

    void check(const TraceLine& line) {
        uint32_t value = 0;
        if (line.verb == "clock" || line.verb == "frame") {
            number(line.words[0], value);
            moveTo(line, value, 0);
        } else if (line.verb == "sleep") {
            uint32_t length = 0;
            number(line.words[0], length);
            number(line.words[1], value);
            moveTo(line, value, length);
        } else if (line.verb == "idles") {
            uint32_t count = 0, step = 0;
            number(line.words[0], count);
            number(line.words[1], step);
            if (step > kClockStepMs) tooFar(line, step);
            const uint64_t to = clock_ + uint64_t{count} * step;
            if (to - start_ > kRecordingMaxPlayMs) tooLong(line, to);
            clock_ = static_cast<uint32_t>(to);
        }
    }

private:
    void moveTo(const TraceLine& line, uint32_t value, uint32_t stated) {
        if (value < clock_) {
            refuse(line, "the clock runs backwards, from " + std::to_string(clock_) + " to " + std::to_string(value) +
                             " (edited?)");
        }
        if (value - clock_ > uint64_t{kClockStepMs} + stated) tooFar(line, value - clock_);
        if (value - start_ > kRecordingMaxPlayMs) tooLong(line, value);
        clock_ = value;
    }
    [[noreturn]] void tooFar(const TraceLine& line, uint64_t by) {
        refuse(line, "the clock moves on " + std::to_string(by) + " ms at once, more than the recorder can have seen " +
                         "(edited?)");
    }
    [[noreturn]] void tooLong(const TraceLine& line, uint64_t to) {
        refuse(line, "the clock reaches " + std::to_string(to - start_) + " ms from its start, past the " +
                         std::to_string(kRecordingMaxPlayMs / 3600000) + " hours a recording may hold (edited?)");
    }

    const uint32_t start_;
    uint32_t clock_;
};

// The bytes left in `in`, when it can tell.
uint64_t bytesLeft(std::istream& in) {
    const auto here = in.tellg();
    if (here < 0 || !in.seekg(0, std::ios::end)) {
        in.clear();
        return 0;
    }
    const auto end = in.tellg();
    in.seekg(here);
    return end > here ? static_cast<uint64_t>(end - here) : 0;
}

}  // namespace

bool looksLikeRecording(std::istream& in) {
    const auto start = in.tellg();
    LineSource source(in);
    std::string text;
    bool recording = false;
    try {
        while (source.next(text, kRecordingMaxLineBytes)) {
            const std::optional<TraceLine> line = splitLine(text, source.number());
            if (!line) continue;
            recording = line->verb == "recording";
            break;
        }
    } catch (const RecordingError&) {
    }
    in.clear();
    in.seekg(start);
    return recording;
}

Recording readRecording(std::istream& in) {
    Recording recording;
    const uint64_t size = bytesLeft(in);
    LineSource source(in);
    std::string text;
    std::optional<TraceLine> line;
    // The next line with a command, nothing at the end.
    auto nextLine = [&](size_t maxBytes) {
        line.reset();
        while (!line && source.next(text, maxBytes)) line = splitLine(text, source.number());
        return line.has_value();
    };

    if (!nextLine(kRecordingMaxLineBytes) || line->verb != "recording")
        throw RecordingError("not a recording (no 'recording' line first)");
    int format = 0;
    if (line->words.size() != 1 || !number(line->words[0], format)) refuse(*line, "recording needs its format number");
    if (format != kRecordingFormat) {
        throw RecordingError("recording format " + shown(line->words[0]) + ", this build reads format " +
                             std::to_string(kRecordingFormat) + " only");
    }

    // `scores` is the header's last line and a clock the body's first.
    std::string previous;
    while (nextLine(kHeaderMaxLineBytes) && line->verb != "clock") {
        if (line->verb != "scores" && text.size() > kRecordingMaxLineBytes) {
            refuse(*line,
                   "longer than " + std::to_string(kRecordingMaxLineBytes) + " bytes, more than the recorder writes");
        }
        readHeaderLine(*line, recording.header);
        previous = line->verb;
    }
    if (!line || previous != "scores" || recording.header.port.empty()) {
        throw RecordingError("the recording's header is incomplete: cut short or edited");
    }
    checkWords(*line);

    uint32_t start = 0;
    number(line->words[0], start);
    ClockRule clock(start);
    recording.bodyFirstLine = line->number;
    recording.body.reserve(std::min(size, kRecordingMaxBytes));
    recording.body.append(text).push_back('\n');
    int lastLine = line->number;
    // Every line goes into the body, comments as empty lines, so that the
    // replay names the same line numbers.
    while (source.next(text, kRecordingMaxLineBytes)) {
        line = splitLine(text, source.number());
        if (!line) {
            recording.body.push_back('\n');
            continue;
        }
        lastLine = line->number;
        checkWords(*line);
        if (line->verb == "end") {
            RecordingEnd end;
            number(line->words[0], end.frames);
            end.frameDigest = line->words[1];
            end.stateDigest = line->words[2];
            recording.end = end;
            if (nextLine(kRecordingMaxLineBytes)) refuse(*line, "lines after the end line (edited?)");
            break;
        }
        clock.check(*line);
        recording.body.append(text).push_back('\n');
    }
    recording.lastLine = lastLine;
    return recording;
}

}  // namespace ik
