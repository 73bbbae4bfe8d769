// The window backend on a real X server (Xvfb, no window manager), driven as
// a player would with xdotool. Every wait is for something to happen; the
// deadlines only stop a broken build from hanging the suite.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr auto kDeadline = std::chrono::seconds(90);

bool onPath(const std::string& tool) { return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0; }

// Polls `done` until it holds or the deadline passes.
bool eventually(const std::function<bool()>& done) {
    const auto until = Clock::now() + kDeadline;
    while (Clock::now() < until) {
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return done();
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

pid_t spawn(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
            const std::string& folder, const std::string& errors) {
    const pid_t child = ::fork();
    if (child != 0) return child;
    for (const std::string& setting : environment) ::putenv(const_cast<char*>(setting.c_str()));
    if (!folder.empty() && ::chdir(folder.c_str()) != 0) ::_exit(126);
    const int devNull = ::open("/dev/null", O_RDWR);
    ::dup2(devNull, 0);
    ::dup2(devNull, 1);
    const int err = errors.empty() ? devNull : ::open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(err, 2);
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    ::execvp(args[0], args.data());
    ::_exit(127);
}

// Waits for the process to end: its exit status, or -signal.
std::optional<int> exitOf(pid_t pid) {
    int status = 0;
    std::optional<int> result;
    eventually([&] {
        if (::waitpid(pid, &status, WNOHANG) != pid) return false;
        result = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
        return true;
    });
    return result;
}

std::vector<pid_t> childrenOf(pid_t parent) {
    std::vector<pid_t> children;
    for (const auto& entry : fs::directory_iterator("/proc")) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        const std::string stat = readFile(entry.path() / "stat");
        const size_t close = stat.rfind(')');
        if (close == std::string::npos) continue;
        std::istringstream fields(stat.substr(close + 1));
        char state = 0;
        pid_t ppid = 0;
        fields >> state >> ppid;
        if (ppid == parent) children.push_back(std::stoi(name));
    }
    return children;
}

class RealWindow : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(onPath("Xvfb") && onPath("xdotool"))
            << "needs the packages xvfb and xdotool (tools/install-deps.sh)";
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        server_ = ::fork();
        if (server_ == 0) {
            ::close(ready[0]);
            const std::string fd = std::to_string(ready[1]);
            ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1920x1080x24", "-nolisten", "tcp",
                     static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(ready[1]);
        std::string number;
        char c = 0;
        while (::read(ready[0], &c, 1) == 1 && c != '\n') number += c;
        ::close(ready[0]);
        ASSERT_FALSE(number.empty()) << "Xvfb did not start";
        display_ = ":" + number;
        scores_ = fs::temp_directory_path() / ("ik-window-" + std::to_string(::getpid()) + "-" + number);
        fs::create_directories(scores_);
        // The game starts in a folder of its own with links to the data
        // files: its music player writes "~temp.xm" into the working folder,
        // which games run side by side must not share.
        fs::create_directories(scores_ / "data");
        for (const fs::directory_entry& entry : fs::directory_iterator(IK_DATA_DIR)) {
            const fs::path extension = entry.path().extension();
            if (extension != ".dat" && extension != ".png") continue;
            fs::create_symlink(entry.path(), scores_ / "data" / entry.path().filename());
        }
    }

    void TearDown() override {
        if (game_ > 0 && ::waitpid(game_, nullptr, WNOHANG) == 0) {
            ::kill(game_, SIGKILL);
            ::waitpid(game_, nullptr, 0);
        }
        stopServer();
        std::error_code ignored;
        fs::remove_all(scores_, ignored);
    }

    void stopServer() {
        if (server_ <= 0) return;
        ::kill(server_, SIGTERM);
        ::waitpid(server_, nullptr, 0);
        server_ = 0;
    }

    void startGame(const std::vector<std::string>& options, const std::string& audioDriver) {
        std::vector<std::string> argv = {IK_IRONKEEL, "--scores", scores_.string()};
        argv.insert(argv.end(), options.begin(), options.end());
        // SDL's own renderer loads no GL driver; the X and SDL libraries keep
        // memory until exit, which a sanitizer build would call leaks (the
        // game's own memory is checked by the headless tests).
        game_ = spawn(argv,
                      {"DISPLAY=" + display_, "SDL_AUDIODRIVER=" + audioDriver, "SDL_DISKAUDIOFILE=/dev/null",
                       "SDL_RENDER_DRIVER=software", "ASAN_OPTIONS=detect_leaks=0"},
                      (scores_ / "data").string(), (scores_ / "stderr.txt").string());
        ASSERT_TRUE(eventually([&] { return findWindow(); })) << "no window";
    }

    // The game's mapped window. SDL may make and drop a window of the same
    // name on its way to the one that stays, so the search is repeated
    // wherever the window is used.
    bool findWindow() {
        const std::string found = xdotool("search --onlyvisible --name Ironkeel");
        window_ = found.substr(0, found.find('\n'));
        return !window_.empty();
    }

    std::string xdotool(const std::string& args) const {
        const std::string command = "DISPLAY=" + display_ + " xdotool " + args + " 2>/dev/null";
        std::string out;
        if (FILE* pipe = ::popen(command.c_str(), "r")) {
            char buffer[256];
            while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) out += buffer;
            ::pclose(pipe);
        }
        return out;
    }

    std::string geometry() {
        if (!findWindow()) return "";
        const std::string out = xdotool("getwindowgeometry " + window_);
        const size_t at = out.find("Geometry: ");
        return at == std::string::npos ? "" : out.substr(at + 10, out.find('\n', at) - at - 10);
    }

    // The game's own stderr, without SDL's notes about its disk audio driver.
    std::vector<std::string> gameLines() const {
        std::vector<std::string> lines;
        std::istringstream in(readFile(scores_ / "stderr.txt"));
        for (std::string line; std::getline(in, line);) {
            if (line.rfind("CRITICAL:", 0) != 0) lines.push_back(line);
        }
        return lines;
    }

    pid_t server_ = 0;
    pid_t game_ = 0;
    std::string display_;
    std::string window_;
    fs::path scores_;
};

// Without a window manager nobody carries out SDL's full-screen request:
// the game must size its window itself, or the picture shows as a crop.
TEST_F(RealWindow, FullScreenWithoutAWindowManagerTakesTheWholeScreen) {
    startGame({"--window", "--scale", "1"}, "disk");
    ASSERT_TRUE(eventually([&] { return geometry() == "800x600"; })) << geometry();
    xdotool("key alt+Return");
    EXPECT_TRUE(eventually([&] { return geometry() == "1920x1080"; })) << geometry();
    xdotool("key alt+Return");
    EXPECT_TRUE(eventually([&] { return geometry() == "800x600"; })) << geometry();
    ::kill(game_, SIGTERM);
    EXPECT_EQ(exitOf(game_), 0);
}

// The X server goes away during a game: one line, status 1, the record kept.
TEST_F(RealWindow, ALostDisplayEndsWithOneLineAndKeepsTheRecord) {
    // A broken record gives way to any score, even the 0 of a game just begun.
    std::ofstream(scores_ / "scores.dat") << "[game1]\nscore=5\nverify=5\n";
    startGame({"--window", "--scale", "1"}, "disk");
    // Until episode 1 runs: Return leaves the loading screen, the click on
    // episode 1's button (600, 150 in the window centred at 560, 240) starts
    // it. Both are sent again until the game is in play, since a slow start
    // may not have reached the menu yet; in play they do nothing. In play the
    // pointer is kept in the window: a move to the corner stops at its edge.
    ASSERT_TRUE(eventually([&] {
        xdotool("windowfocus " + window_);
        xdotool("key Return");
        xdotool("mousemove 1160 390 click 1");
        xdotool("mousemove 0 0");
        return xdotool("getmouselocation").rfind("x:560 y:240", 0) == 0;
    })) << xdotool("getmouselocation");
    stopServer();
    EXPECT_EQ(exitOf(game_), 1);
    EXPECT_EQ(gameLines(), std::vector<std::string>{"ironkeel: the connection to the display was lost"});
    const std::string stored = readFile(scores_ / "scores.dat");
    EXPECT_EQ(stored.find("[game1]\nscore=5\nverify=5\n"), std::string::npos) << stored;
    EXPECT_NE(stored.find("[game1]\nscore="), std::string::npos) << stored;
}

// SDL's dummy audio driver has one device, which the effects take: the music
// finds none. One box, in SDL's helper process; SIGTERM ends both cleanly.
TEST_F(RealWindow, SigtermEndsTheGameAndItsBoxWithoutASoundDevice) {
    // Without these SDL cannot make its message box on an X server that has
    // no fonts of its own, and the box this test waits for never shows.
    ASSERT_TRUE(fs::is_directory("/usr/share/fonts/X11/encodings") && onPath("mkfontdir") &&
                fs::is_regular_file("/usr/share/fonts/X11/Type1/fonts.dir"))
        << "SDL's message boxes need the packages xfonts-encodings, xfonts-utils and fonts-urw-base35 "
           "(tools/install-deps.sh)";
    startGame({"--window", "--scale", "1"}, "dummy");
    std::vector<pid_t> helpers;
    ASSERT_TRUE(eventually([&] { return !(helpers = childrenOf(game_)).empty(); })) << "no box";
    ::kill(game_, SIGTERM);
    EXPECT_EQ(exitOf(game_), 0);
    for (pid_t helper : helpers) EXPECT_NE(::kill(helper, 0), 0) << "helper " << helper << " left behind";
    EXPECT_EQ(gameLines(), (std::vector<std::string>{"MESSAGE: Error: Can't initialize device", "(error code: 3)"}));
    EXPECT_NE(readFile(scores_ / "scores.dat").find("Volume=16"), std::string::npos) << "the close path ran";
}

}  // namespace
