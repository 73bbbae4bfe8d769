// What a player's system may put in the game's way: a save file that is no
// file, cannot be written or is a link, a broken series file, and a script
// that names a folder that is not there. Nothing may hang, trap the player on
// a screen or lose a record.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

#include "NotRegularFiles.h"
#include "tests/support/GameRun.h"
#include "tests/support/MenuScript.h"
#include "tests/support/TestPictures.h"

namespace ik::test {
namespace {

namespace fs = std::filesystem;

using FaultsRun = TestPicturesRun;

constexpr const char* kTitle = "Ironkeel - Gubbinz vol.1";
const std::string kStartEpisode1 = startEpisode(1) + "frames 3\n";

int messageBoxes(const std::string& errors) { return occurrences(errors, "MESSAGE: "); }

TEST_F(FaultsRun, ASaveFileThatIsNoFileIsRefusedOnceAndLeftAlone) {
    for (const NotRegularFile& c : NotRegularFiles()) {
        const std::string path = scores.file("scores.dat");
        fs::remove_all(path);
        ASSERT_NO_FATAL_FAILURE(c.make(path)) << c.name;
        const auto kind = fs::symlink_status(path).type();
        const Outcome outcome = run(std::string("frames 2\nstate start.json\nkey e\n") + kStartEpisode1 +
                                    "key Escape\nframes 2\nstate menu.json\n");
        ASSERT_EQ(outcome.status, 0) << c.name << ": " << outcome.errors;
        EXPECT_EQ(messageBoxes(outcome.errors), 1) << c.name << ": " << outcome.errors;
        EXPECT_EQ(occurrences(outcome.errors, std::string("MESSAGE: ") + kTitle + ": Cannot keep records in " + path +
                                                  ": it is not a regular file\n"),
                  1)
            << c.name << ": " << outcome.errors;
        EXPECT_EQ(state("start.json")["volume"], 16) << c.name << ": the defaults";
        EXPECT_EQ(state("menu.json")["screen"], "mainmenu") << c.name;
        EXPECT_EQ(state("menu.json")["easy_mode"], true) << c.name << ": the difficulty still changes";
        EXPECT_EQ(fs::symlink_status(path).type(), kind) << c.name << ": written over";
        size_t entries = 0;
        for ([[maybe_unused]] const auto& entry : fs::directory_iterator(scores.path())) ++entries;
        EXPECT_EQ(entries, 1u) << c.name << ": something was written beside it";
    }
}

// A store that can be read but not written: the error is shown once, the
// record stays as it was, and the player gets back to the menu every time.
TEST_F(FaultsRun, AStoreThatCannotBeWrittenSaysSoOnceAndLetsThePlayerOut) {
    // An invalid record gives way to any score, so every game tries to write.
    const std::string records = "[game1]\nscore=9999\nverify=1\n";
    const struct {
        const char* name;
        std::function<std::string()> make;  // the path the game names in its message
    } cases[] = {
        // No temporary file fits beside a file whose name is this long.
        {"no room for a temporary name",
         [&] {
             const std::string target = work.file(std::string(250, 'r'));
             writeText(target, records);
             fs::create_symlink(target, scores.file("scores.dat"));
             return scores.file("scores.dat");
         }},
        // Only an ordinary user is refused by the permissions.
        {"read-only folder",
         [&] {
             if (::geteuid() == 0) return std::string();
             storeScores(records);
             fs::permissions(scores.path(), fs::perms::owner_read | fs::perms::owner_exec);
             return scores.file("scores.dat");
         }},
    };
    for (const auto& c : cases) {
        const std::string path = c.make();
        if (path.empty()) {
            std::printf("skipped: %s (running as root)\n", c.name);
            continue;
        }
        const std::string before = storedScores();
        const Outcome outcome = run(kStartEpisode1 + "key Escape\nframes 2\nstate first.json\n" + clickMenuButton(1) +
                                    "frames 3\nkey Escape\nframes 2\nstate second.json\n");
        fs::permissions(scores.path(), fs::perms::owner_all);
        ASSERT_EQ(outcome.status, 0) << c.name << ": " << outcome.errors;
        const std::string failure = "Unable to write to " + path;
        EXPECT_EQ(messageBoxes(outcome.errors), 1) << c.name << ": " << outcome.errors;
        EXPECT_EQ(occurrences(outcome.errors, std::string("MESSAGE: ") + kTitle + ": " + failure + "\n"), 1)
            << c.name << ": " << outcome.errors;
        EXPECT_EQ(occurrences(outcome.errors, "ERROR: " + failure + "\n"), 2)
            << c.name << ": the second game and the close only on stderr: " << outcome.errors;
        EXPECT_EQ(state("first.json")["screen"], "mainmenu") << c.name;
        EXPECT_EQ(state("second.json")["screen"], "mainmenu") << c.name;
        EXPECT_EQ(storedScores(), before) << c.name;
    }
}

TEST_F(FaultsRun, ALinkedSaveFileIsWrittenThroughTheLink) {
    const std::string target = work.file("records/mine.ini");
    fs::create_directory(work.file("records"));
    writeText(target, "; my records\n[game1]\nscore=5\nverify=5\n");
    fs::create_symlink("../" + work.path().filename().string() + "/records/mine.ini", scores.file("scores.dat"));
    // Temporary files a killed write left, and what is not ours to remove.
    writeText(work.file("records/mine.ini.k1LL3d"), "[game1]\nscore=");
    writeText(scores.file("scores.dat.k1LL3d"), "not beside the target");
    const Outcome outcome =
        run(kStartEpisode1 + "down R\nframes 2\nup R\nwait 100\nkey Return\n" + "frames 2\nstate menu.json\n");
    ASSERT_EQ(outcome.status, 0) << outcome.errors;
    EXPECT_EQ(state("menu.json")["screen"], "mainmenu");
    EXPECT_TRUE(fs::is_symlink(scores.file("scores.dat")));
    EXPECT_EQ(readText(target), "; my records\n[game1]\nscore=0\nverify=11\n[Settings]\nVolume=16\n");
    EXPECT_FALSE(fs::exists(work.file("records/mine.ini.k1LL3d"))) << "the stale temporary file stays";
    EXPECT_TRUE(fs::exists(scores.file("scores.dat.k1LL3d")));
}

TEST_F(FaultsRun, ABrokenSeriesFileLeadsBackToTheMenu) {
    const std::string series1 = readText(work.file("series1.dat"));
    const struct {
        const char* name;
        std::string content;
    } cases[] = {
        {"truncated", series1.substr(0, series1.size() / 2)},
        {"cut after its header", series1.substr(0, 40)},
        {"garbage", std::string(4000, '\x7F')},
        // Loads, but holds episode 3's pictures, not the background episode 1 draws.
        {"another episode's pictures", readText(work.file("series3.dat"))},
    };
    const std::string records = "[game1]\nscore=150\nverify=36\n[Settings]\nVolume=16\n";
    for (const auto& c : cases) {
        replaceDataFile("series1.dat", c.content);
        storeScores(records);
        const Outcome outcome = run(kStartEpisode1 + "state back.json\nframes 3\nstate later.json\nshot menu.png\n" +
                                    clickMenuButton(1) + "frames 3\nstate again.json\n");
        ASSERT_EQ(outcome.status, 0) << c.name << ": " << outcome.errors;
        EXPECT_EQ(messageBoxes(outcome.errors), 1) << c.name << ": " << outcome.errors;
        EXPECT_EQ(occurrences(outcome.errors, "ERROR: "), 1) << c.name << ": the second try only on stderr";
        const auto back = state("back.json"), later = state("later.json"), again = state("again.json");
        EXPECT_EQ(back["screen"], "mainmenu") << c.name;
        EXPECT_GE(later["frame"].get<int>(), back["frame"].get<int>() + 3) << c.name << ": the menu is drawn";
        EXPECT_EQ(shot("menu.png").at(300, 300), toRgb565(kMenuBackground)) << c.name << ": general.dat again";
        EXPECT_EQ(again["screen"], "mainmenu") << c.name;
        EXPECT_EQ(storedScores(), records) << c.name << ": nothing lost";
    }
}

TEST_F(FaultsRun, AScriptWritingIntoAMissingFolderFailsClearly) {
    for (const char* command : {"state", "shot"}) {
        const std::string target = std::string("missing/") + command + ".out";
        const Outcome outcome = run(std::string("frames 2\n") + command + " " + target + "\nframes 2\n");
        EXPECT_EQ(outcome.status, 1) << command << ": " << outcome.errors;
        EXPECT_EQ(occurrences(outcome.errors, "ironkeel: script.txt: line 2: Cannot create file " + target + "\n"), 1)
            << command << ": " << outcome.errors;
        EXPECT_EQ(storedScores(), "[Settings]\nVolume=16\n") << command << ": the game closed as usual";
    }
}

}  // namespace
}  // namespace ik::test
