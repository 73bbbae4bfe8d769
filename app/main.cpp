// Program entry: reads the command line, creates the platform (a window or the
// headless virtual machine), creates the one form and runs its loop.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/Files.h"
#include "app/Form.h"
#include "app/HeadlessRunner.h"
#include "app/HeadlessScript.h"
#include "app/Language.h"
#include "app/Recording.h"
#include "app/RecordingReader.h"
#include "app/ScoreStore.h"
#include "app/StateDump.h"
#include "assets/PngFile.h"
#include "platform/DisplayLanguages.h"
#include "platform/ProgramStart.h"
#include "platform/SystemPaths.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/replay/RecordingPlatform.h"
#include "platform/sdl/SdlPlatform.h"

namespace {

// The language the run starts in: --language, else the one the player chose
// with the menu's key (kept in the store's settings), else the system's.
// A headless run ignores the environment, so that a script gives the same
// frames on every machine.
std::string startLanguage(const ik::CommandLine& line) {
    if (!line.language.empty()) {
        if (ik::knownLanguage(line.language)) return line.language;
        std::string known;
        for (const std::string& code : ik::knownLanguages()) known += (known.empty() ? "" : ", ") + code;
        std::fprintf(stderr, "ironkeel: unknown language '%s' (the game speaks %s): playing in Czech\n",
                     line.language.c_str(), known.c_str());
        return ik::kOriginalLanguage;
    }
    const std::string stored = ik::TIniFile(ik::scoresPath(line.scoresDir)).ReadString("Settings", "Language", "");
    if (ik::knownLanguage(stored)) return stored;
    if (line.headless) return ik::kOriginalLanguage;
    return ik::languageFromSystem([](const char* name) -> const char* { return std::getenv(name); },
                                  ik::userDisplayLanguages());
}

ik::FormOptions formOptions(const ik::CommandLine& line) {
    ik::FormOptions options;
    options.no3d = line.no3d;
    options.windowed = line.windowed;
    options.quitOnFocusLoss = line.quitOnFocusLoss;
    options.scoresDir = line.scoresDir;
    options.libraryDir = ik::trackAudioDir();
    options.seedGiven = line.seed.has_value();
    options.seed = line.seed.value_or(0);
    options.language = startLanguage(line);
    return options;
}

// Start-up, the first showing and the loop; errors of start-up end the program.
template <typename RunLoop>
int runForm(ik::TForm1& form, RunLoop&& runLoop) {
    if (!ik::startUp(form)) {
        form.Close();
        return 1;
    }
    if (!form.closed()) {
        runLoop();
    }
    return form.exitCode();
}

bool readWhole(const std::string& path, std::string& content) {
    std::ifstream file(ik::utf8Path(path), std::ios::binary);
    if (!file) return false;
    std::stringstream source;
    source << file.rdbuf();
    content = source.str();
    return true;
}

// A recording run starts from a known seed, so that its header can name it.
ik::FormOptions recordedOptions(const ik::CommandLine& line, ik::Platform& platform) {
    ik::FormOptions options = formOptions(line);
    if (!line.record.empty() && !options.seedGiven) {
        options.seedGiven = true;
        options.seed = platform.timeOfDayMs();
    }
    return options;
}

// The recorder --record asks for (none without it); false, after one line,
// when its file cannot be made.
bool startRecorder(const ik::CommandLine& line, ik::Platform& platform, const ik::FormOptions& options,
                   std::unique_ptr<ik::Recorder>& recorder) {
    if (line.record.empty()) return true;
    try {
        recorder = std::make_unique<ik::Recorder>(line.record, platform, options, IK_VERSION, platform.timeOfDayMs());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "ironkeel: %s\n", error.what());
        return false;
    }
    return true;
}

std::unique_ptr<ik::SdlPlatform> openWindow(const ik::CommandLine& line) {
    ik::SdlOptions sdl;
    sdl.windowed = line.windowed;
    sdl.scale = line.scale;
    sdl.integerScale = line.integerScale;
    sdl.refreshHz = line.refreshHz;
    try {
        return std::make_unique<ik::SdlPlatform>(sdl);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "ironkeel: %s\n", error.what());
        return nullptr;
    }
}

std::string formatPlayTime(uint32_t ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%u:%02u.%03u", ms / 60000, ms / 1000 % 60, ms % 1000);
    return text;
}

// --replay and --verify: a recording that cannot be replayed as it is gets
// one line and status 1 before the game starts.
int runReplay(const ik::CommandLine& line, const std::string& path, std::istream& source, bool verify) {
    ik::Recording recording;
    try {
        recording = ik::readRecording(source);
    } catch (const ik::RecordingError& error) {
        std::fprintf(stderr, "ironkeel: %s: %s\n", path.c_str(), error.what());
        return 1;
    }
    const std::string differ = ik::dataFilesDiffer(recording.header);
    if (!differ.empty()) {
        std::fprintf(stderr, "ironkeel: %s: recorded with other data files (%s differ)\n", path.c_str(),
                     differ.c_str());
        return 1;
    }
    if (recording.header.port != IK_VERSION) {
        std::fprintf(stderr, "ironkeel: %s: recorded by ironkeel %s, replayed by %s\n", path.c_str(),
                     recording.header.port.c_str(), IK_VERSION);
    }
    const bool ownScores = line.scoresDir.empty();
    std::string scoresDir;
    try {
        scoresDir = ownScores ? ik::freshReplayScoresDir() : line.scoresDir;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "ironkeel: %s\n", error.what());
        return 1;
    }
    const bool headless = verify || line.headless;
    std::unique_ptr<ik::Platform> display;
    if (headless) display = std::make_unique<ik::HeadlessPlatform>(recording.header.startTimeMs);
    else
        display = openWindow(line);
    if (!display) return 1;
    const ik::ReplayOutcome outcome =
        ik::replayRecording(recording, *display, !headless, scoresDir, ik::trackAudioDir(), line.finalState);
    if (verify) {
        const std::string episode(ik::screenName(outcome.episode));
        std::printf("episode: %s\nscore: %d\nplay time: %s\nlast frame: %s\nresult: %s\n", episode.c_str(),
                    outcome.score, formatPlayTime(outcome.playMs).c_str(), outcome.frameDigest.c_str(),
                    outcome.problem.empty() ? "ended as recorded" : ("NOT as recorded: " + outcome.problem).c_str());
        std::error_code ignored;
        if (ownScores) std::filesystem::remove_all(ik::utf8Path(scoresDir), ignored);
    } else {
        std::fprintf(stderr, "ironkeel: the replay's scores.dat: %s\n", outcome.scoresPath.c_str());
        if (!outcome.problem.empty()) std::fprintf(stderr, "ironkeel: %s: %s\n", path.c_str(), outcome.problem.c_str());
    }
    return outcome.problem.empty() ? 0 : 1;
}

int runReplayFile(const ik::CommandLine& line, const std::string& path, bool verify) {
    std::ifstream source(path, std::ios::binary);
    if (!source) {
        std::fprintf(stderr, "ironkeel: cannot read recording %s\n", path.c_str());
        return 1;
    }
    return runReplay(line, path, source, verify);
}

int runHeadless(const ik::CommandLine& line) {
    if (!line.replay.empty()) return runReplayFile(line, line.replay, false);
    // A recording is a script of its own kind: it is played back, read as
    // any recording is.
    {
        std::ifstream file(line.script, std::ios::binary);
        if (file && ik::looksLikeRecording(file)) return runReplay(line, line.script, file, false);
    }
    std::string source;
    if (!readWhole(line.script, source)) {
        std::fprintf(stderr, "ironkeel: cannot read script %s\n", line.script.c_str());
        return 2;
    }
    std::vector<ik::ScriptCommand> commands;
    try {
        commands = ik::parseScript(source);
    } catch (const ik::ScriptError& error) {
        std::fprintf(stderr, "ironkeel: %s: %s\n", line.script.c_str(), error.what());
        return 2;
    }
    ik::HeadlessPlatform platform(line.startTimeMs);
    const ik::FormOptions options = recordedOptions(line, platform);
    std::unique_ptr<ik::Recorder> recorder;
    if (!startRecorder(line, platform, options, recorder)) return 1;
    ik::TForm1 form(recorder ? recorder->platform() : platform, options);
    if (recorder) recorder->watch(form);
    ik::EventSink& sink = recorder ? recorder->recordingPlatform().recordingSink(form) : form;
    bool scriptFailed = false;
    const int status = runForm(form, [&] {
        try {
            ik::HeadlessRunner(platform, form, sink).run(commands);
        } catch (const ik::ScriptError& error) {
            std::fprintf(stderr, "ironkeel: %s: %s\n", line.script.c_str(), error.what());
            scriptFailed = true;
            form.Close();
        }
    });
    if (recorder) recorder->finish(form);
    return scriptFailed ? 1 : status;
}

// A missing or broken icon costs the window its picture, not the game.
void showIcon(ik::Platform& platform) {
    const std::string path = ik::findDataFile("ironkeel.png");
    if (path.empty()) return;
    try {
        const ik::RgbImage icon = ik::readPng(path);
        platform.setWindowIcon(icon.width, icon.height, icon.pixels);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "ironkeel: no window icon: %s\n", error.what());
    }
}

int runWindow(const ik::CommandLine& line) {
    if (!line.replay.empty()) return runReplayFile(line, line.replay, false);
    std::unique_ptr<ik::SdlPlatform> platform = openWindow(line);
    if (!platform) return 1;
    showIcon(*platform);
    const ik::FormOptions options = recordedOptions(line, *platform);
    std::unique_ptr<ik::Recorder> recorder;
    if (!startRecorder(line, *platform, options, recorder)) return 1;
    ik::Platform& gamePlatform = recorder ? recorder->platform() : *platform;
    ik::TForm1 form(gamePlatform, options);
    if (recorder) recorder->watch(form);
    const int status = runForm(form, [&] { gamePlatform.run(form); });
    if (recorder) recorder->finish(form);
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    ik::CommandLine line;
    try {
        line = ik::parseCommandLine(ik::startProgram(argc, argv));
    } catch (const std::invalid_argument& error) {
        std::fprintf(stderr, "ironkeel: %s\n", error.what());
        return 2;
    }
    if (line.help) {
        std::fputs(ik::usageText().c_str(), stdout);
        return 0;
    }
    if (line.version) {
        std::fputs(ik::versionText(IK_VERSION).c_str(), stdout);
        return 0;
    }
    if (!line.verify.empty()) return runReplayFile(line, line.verify, true);
    return line.headless ? runHeadless(line) : runWindow(line);
}
