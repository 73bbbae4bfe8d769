// Where the game looks for its data files: the working folder first, then the
// install tree's data folder, then the user's and the system's XDG folders,
// each file on its own; and what it says when one is in none of them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "app/Files.h"
#include "tests/support/TempFolder.h"

namespace ik::test {
namespace {

namespace fs = std::filesystem;

// Sets environment variables and the working folder for one test and puts
// them back afterwards.
class DataFiles : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"XDG_DATA_HOME", "XDG_DATA_DIRS", "HOME"}) {
            const char* value = std::getenv(name);
            saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
        }
        savedCwd_ = fs::current_path();
        fs::create_directories(folder.path() / "cwd");
        fs::current_path(folder.path() / "cwd");
    }
    void TearDown() override {
        fs::current_path(savedCwd_);
        for (const auto& [name, value] : saved_) {
            if (value) ::setenv(name.c_str(), value->c_str(), 1);
            else
                ::unsetenv(name.c_str());
        }
    }
    void put(const fs::path& dir, const std::string& name) {
        fs::create_directories(dir);
        std::ofstream(dir / name) << "x";
    }
    std::string in(const std::string& sub) const { return (folder.path() / sub).string(); }

    TempFolder folder;

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
    fs::path savedCwd_;
};

TEST_F(DataFiles, SearchOrderFollowsTheXdgVariables) {
    ::setenv("XDG_DATA_HOME", "/home/player/data", 1);
    // Relative and empty entries are not valid XDG folders and are skipped.
    ::setenv("XDG_DATA_DIRS", "/opt/games/share/:relative::/usr/share", 1);
    EXPECT_EQ(dataSearchDirs(), (std::vector<std::string>{".", installedDataDir(), "/home/player/data/ironkeel",
                                                          "/opt/games/share/ironkeel", "/usr/share/ironkeel"}));

    ::unsetenv("XDG_DATA_HOME");
    ::unsetenv("XDG_DATA_DIRS");
    ::setenv("HOME", "/home/player", 1);
    EXPECT_EQ(dataSearchDirs(), (std::vector<std::string>{".", installedDataDir(), "/home/player/.local/share/ironkeel",
                                                          "/usr/local/share/ironkeel", "/usr/share/ironkeel"}));
}

TEST_F(DataFiles, EachFileComesFromTheFirstFolderThatHasIt) {
    ::setenv("XDG_DATA_HOME", in("user").c_str(), 1);
    ::setenv("XDG_DATA_DIRS", (in("system1") + ":" + in("system2")).c_str(), 1);
    put(in("user/ironkeel"), "general.dat");
    put(in("system1/ironkeel"), "general.dat");
    put(in("system1/ironkeel"), "waves.dat");
    put(in("system2/ironkeel"), "waves.dat");
    put(in("system2/ironkeel"), "music.dat");
    put(in("cwd"), "music.dat");

    EXPECT_EQ(findDataFile("general.dat"), in("user/ironkeel/general.dat"));
    EXPECT_EQ(findDataFile("waves.dat"), in("system1/ironkeel/waves.dat"));
    // The working folder's file keeps the bare name the original opened.
    EXPECT_EQ(findDataFile("music.dat"), "music.dat");
    EXPECT_EQ(findDataFile("series1.dat"), "");
    // A folder of that name is not a data file.
    fs::create_directories(in("cwd/series2.dat"));
    EXPECT_EQ(findDataFile("series2.dat"), "");
}

TEST_F(DataFiles, TheReportNamesTheMissingFilesAndEveryFolderSearched) {
    ::setenv("XDG_DATA_HOME", in("user").c_str(), 1);
    ::setenv("XDG_DATA_DIRS", in("system").c_str(), 1);
    put(in("user/ironkeel"), "waves.dat");
    const std::string searched = "; searched " + in("cwd") + ", " + installedDataDir() + ", " + in("user/ironkeel") +
                                 ", " + in("system/ironkeel");
    EXPECT_EQ(missingDataReport({"general.dat", "waves.dat"}), "ironkeel: data file general.dat not found" + searched);
    EXPECT_EQ(missingDataReport({"general.dat", "series3.dat"}),
              "ironkeel: data files general.dat, series3.dat not found" + searched);
}

TEST_F(DataFiles, ScoresStayWhereTheyAreToldOrBesideABuiltGame) {
    EXPECT_EQ(scoresPath(in("chosen")), (fs::path(in("chosen")) / "scores.dat").string());
    // The test runs from the build folder, which is writable and no install tree.
    ASSERT_FALSE(runsFromInstallTree());
    EXPECT_EQ(scoresPath(""), (fs::path(executableDir()) / "scores.dat").string());
}

}  // namespace
}  // namespace ik::test
