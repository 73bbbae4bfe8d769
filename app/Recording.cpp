#include "app/Recording.h"

#include <charconv>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "app/Files.h"
#include "app/Form.h"
#include "app/Language.h"
#include "app/Sha256.h"
#include "app/StateDump.h"
#include "platform/RecordingPlatform.h"
#include "platform/ReplayPlatform.h"

namespace ik {

namespace fs = std::filesystem;

namespace {

const char* const kDataFiles[] = {"general.dat", "series1.dat", "series2.dat", "series3.dat",
                                  "series4.dat", "waves.dat",   "music.dat"};
// The ones whose pictures with words have variants in other languages.
const char* const kPictureFiles[] = {"general.dat", "series1.dat", "series2.dat", "series3.dat", "series4.dat"};

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::string toHex(const std::string& bytes) {
    static const char* digits = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 0xF];
    }
    return out;
}

std::optional<std::string> fromHex(const std::string& hex) {
    if (hex.size() % 2 != 0) return std::nullopt;
    std::string out;
    for (size_t i = 0; i < hex.size(); i += 2) {
        unsigned value = 0;
        auto [end, error] = std::from_chars(hex.data() + i, hex.data() + i + 2, value, 16);
        if (error != std::errc() || end != hex.data() + i + 2) return std::nullopt;
        out += static_cast<char>(value);
    }
    return out;
}

std::string timeOfDay(uint32_t ms) {
    char text[16];
    std::snprintf(text, sizeof text, "%02u:%02u:%02u.%03u", ms / 3600000 % 24, ms / 60000 % 60, ms / 1000 % 60,
                  ms % 1000);
    return text;
}

template <typename T>
bool number(const std::string& word, T& value) {
    auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    return error == std::errc() && end == word.data() + word.size();
}

[[noreturn]] void refuse(const TraceLine& line, const std::string& what) {
    throw RecordingError("line " + std::to_string(line.number) + ": " + what);
}

void readHeaderLine(const TraceLine& line, RecordingHeader& header) {
    const auto& w = line.words;
    if (line.verb == "port" && w.size() == 1) {
        header.port = w[0];
    } else if (line.verb == "seed" && w.size() == 1 && number(w[0], header.seed)) {
    } else if (line.verb == "start-time" && w.size() == 1) {
        unsigned h = 0, m = 0, s = 0, ms = 0;
        if (std::sscanf(w[0].c_str(), "%u:%u:%u.%u", &h, &m, &s, &ms) != 4)
            refuse(line, "start-time needs HH:MM:SS.mmm");
        header.startTimeMs = ((h * 60 + m) * 60 + s) * 1000 + ms;
    } else if (line.verb == "option" && w.size() == 2 && (w[1] == "0" || w[1] == "1") &&
               (w[0] == "no3d" || w[0] == "quit-on-focus-loss")) {
        (w[0] == "no3d" ? header.no3d : header.quitOnFocusLoss) = w[1] == "1";
    } else if (line.verb == "language" && w.size() == 1) {
        if (!knownLanguage(w[0])) refuse(line, "played in language '" + w[0] + "', which this build does not speak");
        header.language = w[0];
    } else if (line.verb == "data" && w.size() == 2) {
        header.data.emplace_back(w[0], w[1]);
    } else if (line.verb == "scores" && w.size() == 1) {
        if (w[0] == "-") {
            header.scores.reset();
        } else {
            header.scores = fromHex(w[0]);
            if (!header.scores) refuse(line, "scores needs the file's bytes in hex or -");
        }
    } else {
        refuse(line, "'" + line.verb + "' is no header line of a recording (edited?)");
    }
}

}  // namespace

bool looksLikeRecording(const std::string& source) {
    const std::vector<TraceLine> lines = splitTrace(source.substr(0, source.find("\nclock")));
    return !lines.empty() && lines.front().verb == "recording";
}

Recording parseRecording(const std::string& source) {
    // A run that was killed may have left half a line: everything before it counts.
    const size_t complete = source.rfind('\n');
    std::vector<TraceLine> lines =
        splitTrace(complete == std::string::npos ? std::string() : source.substr(0, complete + 1));
    if (lines.empty() || lines.front().verb != "recording")
        throw RecordingError("not a recording (no 'recording' line first)");
    Recording recording;
    int format = 0;
    if (lines.front().words.size() != 1 || !number(lines.front().words[0], format)) {
        refuse(lines.front(), "recording needs its format number");
    }
    if (format != kRecordingFormat) {
        throw RecordingError("recording format " + lines.front().words[0] + ", this build reads format " +
                             std::to_string(kRecordingFormat) + " only");
    }
    size_t i = 1;
    for (; i < lines.size() && lines[i].verb != "clock"; ++i) readHeaderLine(lines[i], recording.header);
    // `scores` is the header's last line and a clock the body's first.
    if (i == lines.size() || lines[i - 1].verb != "scores" || recording.header.port.empty()) {
        throw RecordingError("the recording's header is incomplete: cut short or edited");
    }
    for (; i < lines.size(); ++i) {
        const TraceLine& line = lines[i];
        if (line.verb == "end") {
            if (i + 1 != lines.size()) refuse(lines[i + 1], "lines after the end line (edited?)");
            RecordingEnd end;
            if (line.words.size() != 3 || !number(line.words[0], end.frames)) {
                refuse(line, "end needs the frame count and two digests");
            }
            end.frameDigest = line.words[1];
            end.stateDigest = line.words[2];
            recording.end = end;
            break;
        }
        recording.body.push_back(line);
    }
    recording.lastLine = lines.back().number;
    return recording;
}

std::vector<std::pair<std::string, std::string>> dataFileDigests(const std::string& language) {
    std::vector<std::pair<std::string, std::string>> files;  // name, path
    for (const char* name : kDataFiles) files.emplace_back(name, findDataFile(name));
    if (language != kOriginalLanguage) {
        for (const char* name : kPictureFiles) {
            const std::string variant = languageVariantName(name, language);
            files.emplace_back(variant, findDataFile(variant));
        }
        // The texts drawn come from the catalogue as much as the pictures from the data files.
        files.emplace_back(language + "/ironkeel.mo", findCatalogue(language));
    }
    std::vector<std::pair<std::string, std::string>> digests;
    for (const auto& [name, path] : files) {
        const std::string digest = path.empty() ? std::string() : sha256OfFile(path);
        digests.emplace_back(name, digest.empty() ? "-" : digest);
    }
    return digests;
}

std::string dataFilesDiffer(const RecordingHeader& header) {
    const auto now = dataFileDigests(header.language);
    std::string differ;
    for (const auto& [name, digest] : now) {
        std::string recorded = "(not recorded)";
        for (const auto& [recordedName, recordedDigest] : header.data) {
            if (recordedName == name) recorded = recordedDigest;
        }
        if (recorded != digest) differ += (differ.empty() ? "" : ", ") + name;
    }
    if (header.data.size() != now.size()) differ += differ.empty() ? "the list of data files" : "";
    return differ;
}

std::string stateDigest(const TForm1& form, uint32_t elapsedMs) {
    nlohmann::json state = dumpState(form, elapsedMs);
    state.erase("music");
    return sha256Hex(state.dump());
}

std::string frameDigest(const std::vector<uint16_t>& frame) {
    Sha256 sha;
    for (uint16_t pixel : frame) {
        const uint8_t bytes[2] = {static_cast<uint8_t>(pixel & 0xFF), static_cast<uint8_t>(pixel >> 8)};
        sha.add(bytes, 2);
    }
    return sha.hex();
}

Recorder::Recorder(const std::string& path, Platform& inner, const FormOptions& options, const std::string& port,
                   uint32_t startTimeMs)
    : trace_(std::make_unique<TraceWriter>(path)) {
    TraceWriter& t = *trace_;
    t.line("# ironkeel recording: replay with `ironkeel --replay FILE`, check with `ironkeel --verify FILE`");
    t.line("recording " + std::to_string(kRecordingFormat));
    t.line("port " + port);
    t.line("seed " + std::to_string(options.seed));
    t.line("start-time " + timeOfDay(startTimeMs));
    t.line(std::string("option no3d ") + (options.no3d ? "1" : "0"));
    t.line(std::string("option quit-on-focus-loss ") + (options.quitOnFocusLoss ? "1" : "0"));
    t.line("language " + options.language);
    for (const auto& [name, digest] : dataFileDigests(options.language)) t.line("data " + name + " " + digest);
    const std::string scores = scoresPath(options.scoresDir);
    t.line("scores " + (fs::is_regular_file(scores) ? toHex(readFile(scores)) : std::string("-")));
    platform_ = std::make_unique<RecordingPlatform>(inner, t);
}

Recorder::~Recorder() = default;

Platform& Recorder::platform() { return *platform_; }

void Recorder::watch(TForm1& form) {
    form.onRecordUpdate = [this](const std::string& section, int32_t score) {
        platform_->annotate("record " + section + " " + std::to_string(score));
    };
}

void Recorder::finish(const TForm1& form) {
    platform_->annotate("end " + std::to_string(form.frames_drawn) + " " + frameDigest(platform_->lastFrame()) + " " +
                        stateDigest(form, platform_->elapsedMs()));
}

std::string freshReplayScoresDir() {
    std::string pattern = (fs::temp_directory_path() / "ironkeel-replay-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("Cannot create a folder for the replay's scores");
    return pattern;
}

ReplayOutcome replayRecording(const Recording& recording, Platform& display, bool paced, const std::string& scoresDir,
                              const std::string& libraryDir, const std::string& finalStatePath) {
    ReplayOutcome outcome;
    const RecordingHeader& header = recording.header;
    outcome.scoresPath = (fs::path(scoresDir) / "scores.dat").string();
    std::error_code ignored;
    fs::create_directories(scoresDir, ignored);
    fs::remove(outcome.scoresPath, ignored);
    if (header.scores) {
        std::ofstream(outcome.scoresPath, std::ios::binary) << *header.scores;
    }

    std::deque<std::pair<std::string, int32_t>> updates;  // seen by the replay, not yet by the recording
    auto check = [&](const TraceLine& line) -> std::string {
        if (line.verb != "record") return "'" + line.verb + "' is no line of a recording (edited?)";
        int32_t score = 0;
        if (line.words.size() != 2 || !number(line.words[1], score)) return "record needs a section and a score";
        if (updates.empty())
            return "the recording stores a record (" + line.words[0] + " " + line.words[1] +
                   ") that the replay did not reach";
        const auto [section, reached] = updates.front();
        updates.pop_front();
        if (section != line.words[0] || reached != score) {
            return "the replay stored " + section + " " + std::to_string(reached) + " where the recording has " +
                   line.words[0] + " " + line.words[1];
        }
        return {};
    };
    ReplayPlatform platform(display, paced, recording.body, check);

    FormOptions options;
    options.no3d = header.no3d;
    options.windowed = true;
    options.quitOnFocusLoss = header.quitOnFocusLoss;
    options.scoresDir = scoresDir;
    options.libraryDir = libraryDir;
    options.seedGiven = true;
    options.seed = header.seed;
    options.language = header.language;
    TForm1 form(platform, options);
    form.onRecordUpdate = [&](const std::string& section, int32_t score) { updates.emplace_back(section, score); };
    platform.onStep([&] {
        if (isGameScreen(form.screen) && (outcome.episode == Screen::none || form.score > outcome.score)) {
            outcome.episode = form.screen;
            outcome.score = form.score;
        }
    });
    if (startUp(form) && !form.closed()) platform.run(form);
    outcome.playMs = platform.elapsedMs();
    outcome.frameDigest = frameDigest(platform.lastFrame());
    if (!finalStatePath.empty()) {
        std::ofstream out(finalStatePath, std::ios::binary | std::ios::trunc);
        out << dumpState(form, platform.elapsedMs()).dump(2) << "\n";
        if (!out) outcome.problem = "cannot write " + finalStatePath;
    }

    // The first way in which the replay did not end as the recording says.
    auto disagreement = [&]() -> std::string {
        if (!recording.end) {
            return "the recording stops at line " + std::to_string(recording.lastLine) +
                   " without its end line: the run was cut short";
        }
        if (!platform.divergence().empty()) return "the replay left the recording at " + platform.divergence();
        if (platform.stoppedByPlayer()) return "stopped before the end of the recording";
        if (!platform.finished()) return "the replay ended before the recording did";
        if (!updates.empty()) {
            return "the replay stored a record (" + updates.front().first + " " +
                   std::to_string(updates.front().second) + ") that the recording does not have";
        }
        if (recording.end->frames != form.frames_drawn) {
            return "the replay drew " + std::to_string(form.frames_drawn) + " frames, the recording " +
                   std::to_string(recording.end->frames);
        }
        if (recording.end->frameDigest != outcome.frameDigest)
            return "the replay's last frame differs from the recorded one";
        if (recording.end->stateDigest != stateDigest(form, platform.elapsedMs())) {
            return "the replay's final state differs from the recorded one";
        }
        return {};
    };
    if (outcome.problem.empty()) outcome.problem = disagreement();
    return outcome;
}

}  // namespace ik
