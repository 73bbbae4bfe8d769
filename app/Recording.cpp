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
#include "display/DXDraw.h"
#include "platform/SystemPaths.h"
#include "platform/replay/RecordingPlatform.h"
#include "platform/replay/ReplayPlatform.h"

namespace ik {

namespace fs = std::filesystem;

namespace {

// The ones whose pictures with words have variants in other languages.
const char* const kPictureFiles[] = {"general.dat", "series1.dat", "series2.dat", "series3.dat", "series4.dat"};

// How a recording names the catalogue its texts came from.
std::string catalogueEntry(const std::string& language) { return language + "/ironkeel.mo"; }

std::string readFile(const std::string& path) {
    std::ifstream in(utf8Path(path), std::ios::binary);
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

}  // namespace

std::vector<std::string> dataFileNames(const std::string& language) {
    std::vector<std::string> names = {"general.dat", "series1.dat", "series2.dat", "series3.dat",
                                      "series4.dat", "waves.dat",   "music.dat"};
    if (language != kOriginalLanguage) {
        for (const char* name : kPictureFiles) names.push_back(languageVariantName(name, language));
        // The texts drawn come from the catalogue as much as the pictures from the data files.
        names.push_back(catalogueEntry(language));
    }
    return names;
}

std::vector<std::pair<std::string, std::string>> dataFileDigests(const std::string& language) {
    std::vector<std::pair<std::string, std::string>> digests;
    for (const std::string& name : dataFileNames(language)) {
        const std::string path = name == catalogueEntry(language) ? findCatalogue(language) : findDataFile(name);
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

std::string frameDigest(std::span<const uint16_t> frame) {
    std::vector<uint8_t> bytes;
    bytes.reserve(frame.size() * 2);
    for (uint16_t pixel : frame) {
        bytes.push_back(static_cast<uint8_t>(pixel & 0xFF));
        bytes.push_back(static_cast<uint8_t>(pixel >> 8));
    }
    Sha256 sha;
    sha.add(bytes.data(), bytes.size());
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
    t.line("scores " + (fs::is_regular_file(utf8Path(scores)) ? toHex(readFile(scores)) : std::string("-")));
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
    platform_->annotate("end " + std::to_string(form.frames_drawn) + " " + frameDigest(form.DXDraw1->ShownFrame()) +
                        " " + stateDigest(form, platform_->elapsedMs()));
}

std::string freshReplayScoresDir() {
    const std::string dir = createTemporaryDir(temporaryDir(), "ironkeel-replay-");
    if (dir.empty()) throw std::runtime_error("Cannot create a folder for the replay's scores");
    return dir;
}

ReplayOutcome replayRecording(const Recording& recording, Platform& display, bool paced, const std::string& scoresDir,
                              const std::string& libraryDir, const std::string& finalStatePath) {
    ReplayOutcome outcome;
    const RecordingHeader& header = recording.header;
    outcome.scoresPath = utf8String(utf8Path(scoresDir) / "scores.dat");
    std::error_code ignored;
    fs::create_directories(utf8Path(scoresDir), ignored);
    fs::remove(utf8Path(outcome.scoresPath), ignored);
    if (header.scores) {
        std::ofstream(utf8Path(outcome.scoresPath), std::ios::binary) << *header.scores;
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
    ReplayPlatform platform(display, paced, TraceCursor(recording.body, recording.bodyFirstLine), check);

    FormOptions options;
    options.no3d = header.no3d;
    options.windowed = true;
    options.quitOnFocusLoss = header.quitOnFocusLoss;
    options.scoresDir = scoresDir;
    options.libraryDir = libraryDir;
    options.seedGiven = true;
    options.seed = header.seed;
    options.musicHeard = paced;
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
    outcome.frameDigest = frameDigest(form.DXDraw1->ShownFrame());
    if (!finalStatePath.empty()) {
        std::ofstream out(utf8Path(finalStatePath), std::ios::binary | std::ios::trunc);
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
