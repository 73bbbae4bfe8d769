// Recordings of whole runs: a header that pins down what the run depended on
// (format, port version, seed, start time, options that change the rules,
// the language, the data files' digests, the records file as it was), the platform's trace
// (platform/replay/RecordingPlatform.h), the record updates the run saw and, when
// the run ended normally, an end line with the digests of its last frame and
// final state. Lines are words as in the headless script language; the first
// command is `recording`, which is how the headless runner tells a recording
// from a script.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "app/Screen.h"
#include "platform/replay/Trace.h"

namespace ik {

class Platform;
class RecordingPlatform;
class TForm1;
struct FormOptions;

constexpr int kRecordingFormat = 1;

// One line for stderr and status 1: the recording cannot be replayed as it is.
struct RecordingError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct RecordingHeader {
    int format = kRecordingFormat;
    std::string port;
    uint32_t seed = 0;
    uint32_t startTimeMs = 0;
    bool no3d = false;
    bool quitOnFocusLoss = false;
    std::string language = "cs";  // the language the run started in; recordings without the line are Czech
    std::vector<std::pair<std::string, std::string>> data;  // name, SHA-256 or "-" when missing
    std::optional<std::string> scores;                      // "scores.dat" before the run
};

struct RecordingEnd {
    uint64_t frames = 0;
    std::string frameDigest;
    std::string stateDigest;
};

// Read and checked by app/RecordingReader.h.
struct Recording {
    RecordingHeader header;
    std::string body;  // the lines from the first clock to the end line, as written
    int bodyFirstLine = 0;
    std::optional<RecordingEnd> end;  // none: the run was cut short
    int lastLine = 0;
};

// The data files a run in `language` may read: in a language other than
// Czech, the variants of the pictures with words ("general.en.dat", ...) and
// the language's catalogue ("en/ironkeel.mo") too.
std::vector<std::string> dataFileNames(const std::string& language);
// The same, with their digests as found now.
std::vector<std::pair<std::string, std::string>> dataFileDigests(const std::string& language);
// Empty when the data files found now are the ones recorded; else which differ.
std::string dataFilesDiffer(const RecordingHeader& header);

// The final state's digest: the state dump without the music player, whose
// position follows the sound device rather than the game.
std::string stateDigest(const TForm1& form, uint32_t elapsedMs);
std::string frameDigest(std::span<const uint16_t> frame);

// Records a run on `inner`: writes the header at once, the trace as the run
// goes and the end line from finish().
class Recorder {
public:
    // Throws std::runtime_error when the file cannot be created.
    Recorder(const std::string& path, Platform& inner, const FormOptions& options, const std::string& port,
             uint32_t startTimeMs);
    ~Recorder();
    Platform& platform();
    RecordingPlatform& recordingPlatform() { return *platform_; }
    void watch(TForm1& form);
    void finish(const TForm1& form);

private:
    std::unique_ptr<TraceWriter> trace_;
    std::unique_ptr<RecordingPlatform> platform_;
};

// What a replay found, for --verify and --replay.
struct ReplayOutcome {
    Screen episode = Screen::none;  // the last game played (game1..game4)
    int32_t score = 0;              // the highest score it reached
    uint32_t playMs = 0;            // the recorded clock from first to last line
    std::string problem;            // empty: it ended as the recording says
    std::string scoresPath;
    std::string frameDigest;  // of the replay's last frame
};

// Replays `recording` on `display` (headless: as fast as possible; paced: at
// the recorded speed in its window), with "scores.dat" in `scoresDir` set to
// its recorded content first.
// `finalStatePath`, when not empty, receives the final state's JSON.
ReplayOutcome replayRecording(const Recording& recording, Platform& display, bool paced, const std::string& scoresDir,
                              const std::string& libraryDir, const std::string& finalStatePath);

// A fresh folder for a replay's "scores.dat", so that no replay writes over
// the player's records.
std::string freshReplayScoresDir();

}  // namespace ik
