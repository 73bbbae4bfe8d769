#include "app/CommandLine.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <iterator>
#include <stdexcept>

#include "app/InstallLayout.h"
#include "audio/TrackPlayerLibrary.h"

namespace ik {

namespace {

long long parseInteger(const std::string& option, const std::string& value, long long low, long long high) {
    long long number = 0;
    auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (error != std::errc() || end != value.data() + value.size() || number < low || number > high) {
        throw std::invalid_argument(option + " expects a number from " + std::to_string(low) + " to " +
                                    std::to_string(high) + ", got '" + value + "'");
    }
    return number;
}

// "HH:MM:SS.mmm" (seconds and milliseconds optional) to milliseconds since midnight.
uint32_t parseTimeOfDay(const std::string& value) {
    int h = 0, m = 0, s = 0, ms = 0;
    char extra = 0;
    int fields = std::sscanf(value.c_str(), "%d:%d:%d.%d%c", &h, &m, &s, &ms, &extra);
    if (fields < 2 || fields > 4 || h < 0 || h > 23 || m < 0 || m > 59 || s < 0 || s > 59 || ms < 0 || ms > 999) {
        throw std::invalid_argument("--start-time expects HH:MM[:SS[.mmm]], got '" + value + "'");
    }
    return static_cast<uint32_t>(((h * 60 + m) * 60 + s) * 1000 + ms);
}

// Every option once: how it is typed, the value it takes (none for a switch)
// and what it does. The parser, --help, and (through a test) the README's
// table and the manual page all follow this table.
struct OptionEntry {
    const char* names;  // "-h, --help" for one option with two spellings
    const char* value;
    const char* effect;
};

const OptionEntry kOptions[] = {
    {"-no3d", "", "(first argument only) draw without the 2D scene"},
    {"--window", "", "play in a window instead of full screen"},
    {"--fullscreen", "", "play in full screen (the default; wins over --window)"},
    {"--scale", "N", "window size as a whole multiple of 800 x 600 (reduced to what fits)"},
    {"--integer-scale", "", "scale the picture by whole factors only"},
    {"--refresh", "HZ", "the display's refresh rate, for pacing flips to 60 Hz"},
    {"--quit-on-focus-loss", "", "end the program when another window takes the focus, as the original"},
    {"--headless", "", "run without window or sound devices, on a virtual clock"},
    {"--script", "FILE", "headless: the script of input and checks to run"},
    {"--seed", "N", "seed the random generator with N instead of the time of day"},
    {"--start-time", "T", "headless: the virtual clock's time of day, HH:MM[:SS[.mmm]]"},
    {"--scores", "DIR", "keep scores.dat in DIR"},
    {"--language", "CODE", "the game's language: cs (the original's Czech) or en; an unknown one gives Czech"},
    {"--record", "FILE", "write a recording of the run (window or headless) to FILE"},
    {"--replay", "FILE",
     "play a recording back: in a window at its speed (Escape stops, P pauses), with --headless as fast as "
     "possible; its scores.dat goes to a fresh folder unless --scores is given"},
    {"--verify", "FILE",
     "replay a recording headless and print its episode, score, play time and whether it ended as recorded "
     "(status 1 if not)"},
    {"--final-state", "FILE", "with --replay or --verify: write the final state's JSON to FILE"},
    {"-h, --help", "", "show this help and exit"},
    {"--version", "", "show the version and exit"},
};

bool takesValue(const std::string& name) {
    return std::any_of(std::begin(kOptions), std::end(kOptions),
                       [&](const OptionEntry& option) { return name == option.names && *option.value; });
}

void setFlag(CommandLine& line, bool& fullscreen, const std::string& name) {
    if (name == "--window") line.windowed = true;
    else if (name == "--fullscreen")
        fullscreen = true;
    else if (name == "--integer-scale")
        line.integerScale = true;
    else if (name == "--quit-on-focus-loss")
        line.quitOnFocusLoss = true;
    else if (name == "--headless")
        line.headless = true;
    else if (name == "--help")
        line.help = true;
    else if (name == "--version")
        line.version = true;
    else
        throw std::invalid_argument("unknown option '" + name + "' (try --help)");
}

void setValue(CommandLine& line, const std::string& name, const std::string& value) {
    if (name == "--scale") line.scale = static_cast<int>(parseInteger(name, value, 1, 16));
    else if (name == "--refresh")
        line.refreshHz = static_cast<int>(parseInteger(name, value, 1, 1000));
    else if (name == "--script")
        line.script = value;
    else if (name == "--seed")
        line.seed = static_cast<uint32_t>(parseInteger(name, value, 0, 4294967295LL));
    else if (name == "--start-time")
        line.startTimeMs = parseTimeOfDay(value);
    else if (name == "--scores")
        line.scoresDir = value;
    else if (name == "--language")
        line.language = value;
    else if (name == "--record")
        line.record = value;
    else if (name == "--replay")
        line.replay = value;
    else if (name == "--verify")
        line.verify = value;
    else if (name == "--final-state")
        line.finalState = value;
}

std::string formatSection(const HelpSection& section) {
    size_t width = 0;
    for (const auto& [what, effect] : section.entries) width = std::max(width, what.size());
    std::string text = section.title + ":\n";
    for (const auto& [what, effect] : section.entries) {
        text += "  " + what + std::string(width - what.size() + 2, ' ') + effect + "\n";
    }
    return text;
}

std::vector<std::pair<std::string, std::string>> optionEntries() {
    std::vector<std::pair<std::string, std::string>> entries;
    for (const OptionEntry& option : kOptions) {
        std::string typed = option.names;
        if (*option.value) typed += std::string(" ") + option.value;
        entries.emplace_back(typed, option.effect);
    }
    entries.emplace_back("--OPTION=VALUE", "the same as --OPTION VALUE");
    return entries;
}

HelpSection posixEnvironment() {
    return {"Environment",
            {{"DISPLAY, WAYLAND_DISPLAY", "the display to open"},
             {"SDL_VIDEODRIVER", "SDL's video driver (x11, wayland)"},
             {"SDL_AUDIODRIVER", "SDL's sound driver (pulseaudio, pipewire, alsa)"},
             {"XDG_DATA_HOME", "the user's data folder (default ~/.local/share): data files, scores.dat"},
             {"XDG_DATA_DIRS", "more folders for data files (default /usr/local/share:/usr/share)"},
             {"LANGUAGE, LC_ALL, LC_MESSAGES, LANG",
              "the language when neither --language nor the L key chose one (not in headless runs)"}}};
}

HelpSection posixFiles() {
    return {"Files",
            {{"*.dat, music.dat", std::string("data files: the working folder, then ") + kRelativeDataDir +
                                      " from the game's folder, then XDG_DATA_HOME/ironkeel, then each "
                                      "XDG_DATA_DIRS/ironkeel"},
             {"scores.dat",
              "records and settings: beside the game in its build or an unpacked writable "
              "folder, else XDG_DATA_HOME/ironkeel (or --scores DIR)"},
             {"ironkeel.mo", std::string("the translations: locale/CODE/LC_MESSAGES beside the game, else ") +
                                 kRelativeLocaleDir + "/CODE/LC_MESSAGES from the game's folder"},
             {"~temp.xm", "the music being played: the working folder if writable, else beside scores.dat"},
             {trackAudioFileName(), std::string("the music library: beside the game, else ") + kRelativeLibraryDir +
                                        " from the game's folder"}}};
}

HelpSection windowsEnvironment() {
    return {"Environment",
            {{"SDL_AUDIODRIVER", "SDL's sound driver (wasapi, directsound)"},
             {"APPDATA", "the user's data folder: data files, scores.dat (in APPDATA\\ironkeel)"},
             {"TEMP", "the folder of temporary files"},
             {"LANGUAGE, LC_ALL, LC_MESSAGES, LANG",
              "the language when neither --language nor the L key chose one, else Windows' display language "
              "(not in headless runs)"}}};
}

HelpSection windowsFiles() {
    return {"Files",
            {{"*.dat, music.dat", "data files: the working folder, then the game's folder, then APPDATA\\ironkeel"},
             {"scores.dat",
              "records and settings: beside the game when its folder is writable, else APPDATA\\ironkeel "
              "(or --scores DIR)"},
             {"ironkeel.mo", "the translations: locale\\CODE\\LC_MESSAGES beside the game"},
             {"~temp.xm", "the music being played: the working folder if writable, else TEMP"},
             {trackAudioFileName(), "the music library: beside the game"},
             {"fonts\\", "the Liberation fonts the text is drawn with, beside the game"}}};
}

}  // namespace

std::vector<HelpSection> helpSections() {
    return {
        {"Options", optionEntries()},
        {"Controls",
         {{"mouse", "menu buttons; the tray in episode 1; aim and shoot in episode 3"},
          {"Escape", "leave a page or a running game; on the menu after that, quit"},
          {"Enter", "leave a game-over panel"},
          {"P, space", "pause or resume a running game"},
          {"+, -", "music volume"},
          {"E", "easy or hard (menu and pages)"},
          {"L", "the next language (menu and pages)"},
          {"R", "give up the running game"},
          {"1 2 3, X C V", "episode 2: the three meters (also keypad 1 2 3)"},
          {"digits", "episode 4: type the code"},
          {"Alt+Enter", "switch between full screen and a window"},
          {"Ctrl+G", "set the pointer free of the window while a game runs"}}},
        kSingleFolderInstall ? windowsEnvironment() : posixEnvironment(),
        kSingleFolderInstall ? windowsFiles() : posixFiles(),
    };
}

std::string usageText() {
    std::string text = "Usage: ironkeel [-no3d] [options]\n";
    for (const HelpSection& section : helpSections()) text += "\n" + formatSection(section);
    return text;
}

std::string versionText(const std::string& portVersion) {
    return "ironkeel " + portVersion + "\nIronkeel - Gubbinz vol.1 verze 1.03\n";
}

CommandLine parseCommandLine(const std::vector<std::string>& args) {
    CommandLine line;
    bool fullscreen = false;
    size_t i = 0;
    if (!args.empty() && args[0] == "-no3d") {
        line.no3d = true;
        i = 1;
    }
    for (; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-h") {
            line.help = true;
            continue;
        }
        // QUIRK: the original looks at its first argument only; anything
        // else that is not one of our options is left alone.
        if (arg.rfind("--", 0) != 0) continue;
        const size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        if (!takesValue(name)) {
            if (equals != std::string::npos) {
                setFlag(line, fullscreen, name);  // an unknown name is refused first
                throw std::invalid_argument(name + " takes no value");
            }
            setFlag(line, fullscreen, name);
        } else if (equals != std::string::npos) {
            setValue(line, name, arg.substr(equals + 1));
        } else if (i + 1 < args.size()) {
            setValue(line, name, args[++i]);
        } else {
            throw std::invalid_argument(name + " needs a value");
        }
    }
    if (fullscreen) line.windowed = false;
    if (line.headless && line.script.empty() && line.replay.empty() && !line.help && !line.version) {
        throw std::invalid_argument("--headless needs --script FILE or --replay FILE");
    }
    if (!line.record.empty() && (!line.replay.empty() || !line.verify.empty())) {
        throw std::invalid_argument("--record cannot be used with --replay or --verify");
    }
    return line;
}

}  // namespace ik
