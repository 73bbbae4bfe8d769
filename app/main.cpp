// Program entry: reads the command line, creates the platform (a window or the
// headless virtual machine), creates the one form and runs its loop.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/Files.h"
#include "app/Form.h"
#include "app/HeadlessRunner.h"
#include "app/HeadlessScript.h"
#include "assets/PngFile.h"
#include "platform/HeadlessPlatform.h"
#include "platform/SdlPlatform.h"

namespace {

ik::FormOptions formOptions(const ik::CommandLine& line) {
    ik::FormOptions options;
    options.no3d = line.no3d;
    options.windowed = line.windowed;
    options.quitOnFocusLoss = line.quitOnFocusLoss;
    options.scoresDir = line.scoresDir;
    options.libraryDir = ik::TrackAudioDir();
    options.seedGiven = line.seed.has_value();
    options.seed = line.seed.value_or(0);
    return options;
}

// Start-up, the first showing and the loop; errors of start-up end the program.
template <typename RunLoop>
int runForm(ik::TForm1& form, RunLoop&& runLoop) {
    bool started = false;
    form.guarded([&] {
        form.FormCreate();
        form.Show();
        started = true;
    });
    if (!started) {
        form.Close();
        return 1;
    }
    if (!form.closed()) {
        runLoop();
    }
    return form.exitCode();
}

int runHeadless(const ik::CommandLine& line) {
    std::ifstream file(line.script, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "ironkeel: cannot read script %s\n", line.script.c_str());
        return 2;
    }
    std::stringstream source;
    source << file.rdbuf();
    std::vector<ik::ScriptCommand> commands;
    try {
        commands = ik::ParseScript(source.str());
    } catch (const ik::ScriptError& error) {
        std::fprintf(stderr, "ironkeel: %s: %s\n", line.script.c_str(), error.what());
        return 2;
    }
    ik::HeadlessPlatform platform(line.startTimeMs);
    ik::TForm1 form(platform, formOptions(line));
    bool scriptFailed = false;
    const int status = runForm(form, [&] {
        try {
            ik::HeadlessRunner(platform, form).run(commands);
        } catch (const ik::ScriptError& error) {
            std::fprintf(stderr, "ironkeel: %s: %s\n", line.script.c_str(), error.what());
            scriptFailed = true;
            form.Close();
        }
    });
    return scriptFailed ? 1 : status;
}

// A missing or broken icon costs the window its picture, not the game.
void showIcon(ik::Platform& platform) {
    const std::string path = ik::FindDataFile("ironkeel.png");
    if (path.empty()) return;
    try {
        const ik::RgbImage icon = ik::ReadPng(path);
        platform.setWindowIcon(icon.width, icon.height, icon.pixels);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "ironkeel: no window icon: %s\n", error.what());
    }
}

int runWindow(const ik::CommandLine& line) {
    ik::SdlOptions sdl;
    sdl.windowed = line.windowed;
    sdl.scale = line.scale;
    sdl.integerScale = line.integerScale;
    sdl.refreshHz = line.refreshHz;
    std::unique_ptr<ik::SdlPlatform> platform;
    try {
        platform = std::make_unique<ik::SdlPlatform>(sdl);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "ironkeel: %s\n", error.what());
        return 1;
    }
    showIcon(*platform);
    ik::TForm1 form(*platform, formOptions(line));
    return runForm(form, [&] { platform->run(form); });
}

}  // namespace

int main(int argc, char** argv) {
    ik::CommandLine line;
    try {
        line = ik::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::invalid_argument& error) {
        std::fprintf(stderr, "ironkeel: %s\n", error.what());
        return 2;
    }
    if (line.help) {
        std::fputs(ik::UsageText().c_str(), stdout);
        return 0;
    }
    if (line.version) {
        std::fputs(ik::VersionText(IK_VERSION).c_str(), stdout);
        return 0;
    }
    return line.headless ? runHeadless(line) : runWindow(line);
}
