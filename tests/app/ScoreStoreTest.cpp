#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <set>

#include "NotRegularFiles.h"
#include "app/Form.h"
#include "app/ScoreStore.h"
#include "display/Exception.h"
#include "tests/support/TempFolder.h"

namespace ik {
namespace {

using test::readText;
using test::TempFolder;
using test::writeText;

TEST(VerifyValue, MatchesTheKnownCheckValues) {
    const struct {
        int32_t score;
        int32_t verify;
    } cases[] = {{0, 11},     {1, 10},        {6, 12},  {180, 41}, {200, 42},
                 {5000, 842}, {90000, 15011}, {-1, 12}, {-7, 11},  {-100, -1}};
    for (const auto& c : cases) EXPECT_EQ(TForm1::verify_value(c.score), c.verify) << "score " << c.score;
}

TEST(VerifyValue, ExtremeScoresDoNotOverflow) {
    EXPECT_EQ(TForm1::verify_value(INT32_MAX), (INT32_MAX / 2 + 33) / 3 - INT32_MAX % 6);
    EXPECT_EQ(TForm1::verify_value(INT32_MIN), (INT32_MIN / 2 + 33) / 3 - INT32_MIN % 6);
}

TEST(ParseIniInteger, ReadsDecimalAndHexadecimal) {
    const struct {
        const char* text;
        std::optional<int32_t> value;
    } cases[] = {
        {"42", 42},
        {"-5", -5},
        {"+7", 7},
        {"  12\t", 12},
        {"007", 7},
        {"$1F", 31},
        {"$f", 15},
        {"0x10", 16},
        {"0X1f", 31},
        {"$FFFFFFFF", -1},
        {"0x80000000", INT32_MIN},
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        // unreadable: the caller falls back to its default
        {"", std::nullopt},
        {"$", std::nullopt},
        {"0x", std::nullopt},
        {"0X", std::nullopt},
        {"-", std::nullopt},
        {"12abc", std::nullopt},
        {"abc", std::nullopt},
        {"1.5", std::nullopt},
        {"- 5", std::nullopt},
        {"$1G", std::nullopt},
        {"-$10", std::nullopt},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"$100000000", std::nullopt},
        {"99999999999999999999999", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(parseIniInteger(c.text), c.value) << "text \"" << c.text << "\"";
}

TEST(TIniFile, ReadsWithDefaultsForWhatIsMissingOrUnreadable) {
    const struct {
        const char* content;  // nullptr: no file at all
        int32_t expected;
    } cases[] = {
        {nullptr, -3},
        {"", -3},
        {"[game2]\nscore=5\n", -3},   // other section
        {"[game1]\nverify=5\n", -3},  // other key
        {"[game1]\nscore=5\n", 5},
        {"[GAME1]\nScore=5\n", 5},                 // names ignore letter case
        {"[ game1 ]\r\n  score = 0x20 \r\n", 32},  // spaces and CRLF
        {"[game1]\nscore=five\n", -3},             // unreadable
        {"[game1]\nscore=\n", -3},
        {"score=5\n[game1]\n", -3},                   // keys before any section belong to none
        {"[game1]\nscore=5\n[game1]\nscore=6\n", 5},  // the first section counts
        {"[game1]\n;score=1\nscore=2", 2},            // last line without a break
        {"[game1]\r\nscore=4\r", 4},                  // last line cut after its carriage return
        {"\x01\x02[game1\nscore=9\n", -3},            // garbage header
    };
    for (const auto& c : cases) {
        TempFolder folder;
        const std::string path = folder.file("scores.dat");
        if (c.content) writeText(path, c.content);
        EXPECT_EQ(TIniFile(path).ReadInteger("game1", "score", -3), c.expected)
            << "content \"" << (c.content ? c.content : "<no file>") << "\"";
    }
}

TEST(TIniFile, ReadsBooleansAsIntegers) {
    const struct {
        const char* value;
        bool fallback;
        bool expected;
    } cases[] = {{"1", false, true},  {"0", true, false},    {"2", false, true},
                 {"-1", false, true}, {"yes", false, false}, {"yes", true, true}};
    for (const auto& c : cases) {
        TempFolder folder;
        const std::string path = folder.file("scores.dat");
        writeText(path, std::string("[Settings]\nEasyMode=") + c.value + "\n");
        EXPECT_EQ(TIniFile(path).ReadBool("Settings", "EasyMode", c.fallback), c.expected) << c.value;
    }
}

TEST(TIniFile, WritesChangeOnlyTheirOwnLine) {
    const struct {
        const char* before;
        const char* section;
        const char* key;
        int32_t value;
        const char* after;
    } cases[] = {
        {nullptr, "game1", "score", 150, "[game1]\nscore=150\n"},
        {"; records\n[Settings]\nVolume=3\n\n[game1]\nscore=1\n", "settings", "VOLUME", -4,
         "; records\n[Settings]\nVOLUME=-4\n\n[game1]\nscore=1\n"},
        {"[game1]\nscore=1\n\n[game2]\nscore=2\n", "game1", "verify", 10,
         "[game1]\nscore=1\nverify=10\n\n[game2]\nscore=2\n"},
        {"[game1]\r\nscore=1\r\n", "Settings", "EasyMode", 1, "[game1]\r\nscore=1\r\n[Settings]\r\nEasyMode=1\r\n"},
        {"[game1]\nscore=1", "game1", "verify", 10, "[game1]\nscore=1\nverify=10\n"},
        // A last line cut after its carriage return gets only its line feed,
        // so that it still reads "1" and not "1" plus a stray CR.
        {"[game2]\r\nscore=1\r\n[Settings]\r\nEasyMode=1\r", "game2", "verify", 10,
         "[game2]\r\nscore=1\r\nverify=10\r\n[Settings]\r\nEasyMode=1\r\n"},
        {"[game1]\nscore=1\r", "game1", "verify", 10, "[game1]\nscore=1\r\nverify=10\n"},
        {"[game1]\n  odd line without equals\nscore = 7 \nx=1\n", "game1", "score", 8,
         "[game1]\n  odd line without equals\nscore=8\nx=1\n"},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        const std::string path = folder.file("scores.dat");
        if (c.before) writeText(path, c.before);
        TIniFile store(path);
        store.WriteInteger(c.section, c.key, c.value);
        EXPECT_EQ(readText(path), c.after) << "before \"" << (c.before ? c.before : "<no file>") << "\"";
        EXPECT_EQ(store.ReadInteger(c.section, c.key, 12345), c.value);
    }
}

TEST(TIniFile, WritesBooleansAsOneAndZero) {
    TempFolder folder;
    TIniFile store(folder.file("scores.dat"));
    store.WriteBool("Settings", "EasyMode", true);
    EXPECT_EQ(readText(store.FileName()), "[Settings]\nEasyMode=1\n");
    store.WriteBool("Settings", "EasyMode", false);
    EXPECT_EQ(readText(store.FileName()), "[Settings]\nEasyMode=0\n");
}

TEST(TIniFile, RefusedWriteNamesTheFileAndLeavesNoLitter) {
    TempFolder folder;
    std::filesystem::create_directory(folder.file("taken"));
    const std::string cases[] = {
        folder.file("missing-folder/scores.dat"),  // nowhere to put it
        folder.file("taken"),                      // a folder holds the name
    };
    for (const auto& path : cases) {
        TIniFile store(path);
        try {
            store.WriteInteger("Settings", "Volume", 16);
            ADD_FAILURE() << "no error for " << path;
        } catch (const Exception& error) {
            EXPECT_STREQ(error.what(), ("Unable to write to " + path).c_str());
        }
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("taken")));
    size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path())) ++entries;
    EXPECT_EQ(entries, 1u) << "a temporary file was left behind";
}

TEST(TIniFile, WriteKeepsTheFilePermissions) {
    TempFolder folder;
    const std::string path = folder.file("scores.dat");
    writeText(path, "[game1]\nscore=1\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                                           std::filesystem::perms::group_read);
    TIniFile(path).WriteInteger("game1", "score", 2);
    EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms::owner_read |
                                                               std::filesystem::perms::owner_write |
                                                               std::filesystem::perms::group_read);
}

// --- the rules of the records ---

struct UnlockCase {
    const char* name;
    const char* store;
    bool easy;
    bool unlocked[5];  // [2..4]
};

TEST(Unlocking, FollowsTheRecordBeforeEachEpisode) {
    const UnlockCase cases[] = {
        {"nothing stored", "", false, {false, false, false, false, false}},
        {"199 on hard", "[game1]\nscore=199\nverify=43\n", false, {false, false, false, false, false}},
        {"199 on easy", "[game1]\nscore=199\nverify=43\n", true, {false, false, true, false, false}},
        {"200 on hard", "[game1]\nscore=200\nverify=42\n", false, {false, false, true, false, false}},
        {"game2 with a wrong verify", "[game2]\nscore=5000\nverify=843\n", true, {false, false, false, false, false}},
        {"valid game2 without game1", "[game2]\nscore=5000\nverify=842\n", false, {false, false, false, true, false}},
        {"game3 on the threshold", "[game3]\nscore=90000\nverify=15011\n", false, {false, false, false, false, true}},
        {"game3 below the hard threshold",
         "[game3]\nscore=85000\nverify=14173\n",
         false,
         {false, false, false, false, false}},
        {"game3 on the easy threshold",
         "[game3]\nscore=85000\nverify=14173\n",
         true,
         {false, false, false, false, true}},
        {"game4 unlocks nothing", "[game4]\nscore=999999\nverify=166674\n", true, {false, false, false, false, false}},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        writeText(folder.file("scores.dat"), c.store);
        TIniFile store(folder.file("scores.dat"));
        for (int episode = 2; episode <= 4; ++episode) {
            const StoredRecord record = readRecord(store, recordSection(episode - 1));
            EXPECT_EQ(recordUnlocks(record, unlockThreshold(episode, c.easy)), c.unlocked[episode])
                << c.name << ", episode " << episode;
        }
    }
}

TEST(Unlocking, ThresholdsDependOnTheDifficulty) {
    const struct {
        int episode;
        int32_t easy;
        int32_t hard;
    } cases[] = {{2, 180, 200}, {3, 4900, 5000}, {4, 85000, 90000}};
    for (const auto& c : cases) {
        EXPECT_EQ(unlockThreshold(c.episode, true), c.easy);
        EXPECT_EQ(unlockThreshold(c.episode, false), c.hard);
    }
}

TEST(RecordUpdate, KeepsOrReplacesTheStoredRecord) {
    const struct {
        const char* name;
        const char* before;  // nullptr: no file
        int32_t score;
        bool written;
        int32_t storedScore;
        int32_t storedVerify;
    } cases[] = {
        {"equal to a valid record", "[game1]\nscore=150\nverify=36\n", 150, false, 150, 36},
        {"below a valid record", "[game1]\nscore=150\nverify=36\n", 149, false, 150, 36},
        {"above a valid record", "[game1]\nscore=150\nverify=36\n", 151, true, 151, 35},
        {"below an invalid record", "[game1]\nscore=9999\nverify=1\n", 150, true, 150, 36},
        {"zero with nothing stored", nullptr, 0, false, 0, 11},
        {"first result", nullptr, 7, true, 7, 11},
        {"negative result over nothing", nullptr, -5, false, 0, 11},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        const std::string path = folder.file("scores.dat");
        if (c.before) writeText(path, c.before);
        TIniFile store(path);
        EXPECT_EQ(updateRecord(store, "game1", c.score), c.written) << c.name;
        if (!c.written) {
            EXPECT_EQ(std::filesystem::exists(path), c.before != nullptr) << c.name;
            if (c.before) {
                EXPECT_EQ(readText(path), c.before) << c.name;
            }
        }
        const StoredRecord after = readRecord(store, "game1");
        EXPECT_EQ(after.score, c.storedScore) << c.name;
        EXPECT_EQ(after.verify, c.storedVerify) << c.name;
    }
}

// --- the file under the name ---

namespace fs = std::filesystem;

TEST(TIniFileName, RefusesWhatIsNoRegularFileAndLeavesItAsItIs) {
    std::vector<test::NotRegularFile> cases = test::NotRegularFiles();
    cases.push_back({"link to a folder", [](const std::string& path) {
                         fs::create_directory(path + ".d");
                         fs::create_directory_symlink(path + ".d", path);
                     }});
    for (const auto& c : cases) {
        TempFolder folder;
        const std::string path = folder.file("scores.dat");
        ASSERT_NO_FATAL_FAILURE(c.make(path)) << c.name;
        const auto before = fs::symlink_status(path).type();
        TIniFile store(path);
        EXPECT_EQ(store.Refusal(), "Cannot keep records in " + path + ": it is not a regular file") << c.name;
        // A read that opened a FIFO or read /dev/zero would never come back.
        EXPECT_EQ(store.ReadInteger("Settings", "Volume", 16), 16) << c.name;
        EXPECT_THROW(store.WriteInteger("Settings", "Volume", 3), Exception) << c.name;
        store.RemoveStaleTemporaryFiles();
        EXPECT_EQ(fs::symlink_status(path).type(), before) << c.name;
    }
}

TEST(TIniFileName, TakesARegularFileOrNothingAtAll) {
    TempFolder folder;
    writeText(folder.file("real.dat"), "[Settings]\nVolume=3\n");
    fs::create_symlink(folder.file("real.dat"), folder.file("linked.dat"));
    fs::create_symlink(folder.file("gone.dat"), folder.file("dangling.dat"));
    for (const char* name : {"real.dat", "linked.dat", "missing.dat", "dangling.dat"})
        EXPECT_FALSE(TIniFile(folder.file(name)).Refusal()) << name;
}

TEST(TIniFileName, WritesThroughSymbolicLinks) {
    const struct {
        const char* name;
        std::vector<std::pair<std::string, std::string>> links;  // link -> target, relative to the folder
        const char* target;
    } cases[] = {
        {"relative link", {{"store/scores.dat", "../real/records.ini"}}, "real/records.ini"},
        {"absolute link", {{"store/scores.dat", "<folder>/real/records.ini"}}, "real/records.ini"},
        {"chain of links",
         {{"store/scores.dat", "hop.dat"}, {"store/hop.dat", "../real/records.ini"}},
         "real/records.ini"},
        {"dangling link", {{"store/scores.dat", "../real/new.ini"}}, "real/new.ini"},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        fs::create_directory(folder.path() / "store");
        fs::create_directory(folder.path() / "real");
        writeText(folder.file("real/records.ini"), "; mine\n[game1]\nscore=150\nverify=36\n");
        for (const auto& [link, target] : c.links) {
            std::string to = target;
            if (to.rfind("<folder>", 0) == 0) to = folder.path().string() + to.substr(8);
            fs::create_symlink(to, folder.path() / link);
        }
        const std::string path = folder.file("store/scores.dat");
        TIniFile store(path);
        ASSERT_TRUE(updateRecord(store, "game1", 151)) << c.name;
        EXPECT_TRUE(fs::is_symlink(path)) << c.name << ": the link stays a link";
        const std::string written = readText(folder.file(c.target));
        EXPECT_NE(written.find("[game1]\nscore=151\nverify=35\n"), std::string::npos) << c.name << ": " << written;
        EXPECT_EQ(readRecord(store, "game1").score, 151) << c.name;
        for (const char* dir : {"store", "real"}) {
            size_t entries = 0;
            for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder.path() / dir)) ++entries;
            EXPECT_EQ(entries,
                      std::string(dir) == "store" ? c.links.size() : 1u + (c.target != std::string("real/records.ini")))
                << c.name << ": litter in " << dir;
        }
    }
}

TEST(TIniFileName, ALoopOfLinksIsAWriteRefused) {
    TempFolder folder;
    const std::string path = folder.file("scores.dat");
    fs::create_symlink("other.dat", path);
    fs::create_symlink("scores.dat", folder.file("other.dat"));
    TIniFile store(path);
    EXPECT_EQ(store.ReadInteger("game1", "score", -1), -1);
    try {
        store.WriteInteger("game1", "score", 1);
        ADD_FAILURE() << "a loop of links was written";
    } catch (const Exception& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + path);
    }
    EXPECT_TRUE(fs::is_symlink(path));
}

TEST(TIniFileName, RemovesOnlyTheStaleTemporaryFilesOfTheStore) {
    TempFolder folder;
    const std::string path = folder.file("scores.dat");
    writeText(path, "[game1]\nscore=1\n");
    for (const char* name : {"scores.dat.Ab3xY9", "scores.dat.000000", "scores.dat.held01", "scores.dat.toolong",
                             "scores.dat.a-b_c1", "other.dat.Ab3xY9", "scores.datXAb3xY9"})
        writeText(folder.file(name), "partial");
    fs::create_directory(folder.file("scores.dat.folder"));
    // A write in progress holds its temporary file locked.
    const int held = ::open(folder.file("scores.dat.held01").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);

    TIniFile(path).RemoveStaleTemporaryFiles();
    std::set<std::string> left;
    for (const auto& entry : fs::directory_iterator(folder.path())) left.insert(entry.path().filename().string());
    EXPECT_EQ(left, (std::set<std::string>{"scores.dat", "scores.dat.held01", "scores.dat.toolong", "scores.dat.a-b_c1",
                                           "other.dat.Ab3xY9", "scores.datXAb3xY9", "scores.dat.folder"}));
    ::close(held);
    TIniFile(path).RemoveStaleTemporaryFiles();
    EXPECT_FALSE(fs::exists(folder.file("scores.dat.held01"))) << "stale once its write is gone";
    EXPECT_EQ(readText(path), "[game1]\nscore=1\n");
}

TEST(TIniFile, ReadsSeeTheFileAsItIsNow) {
    TempFolder folder;
    const std::string path = folder.file("scores.dat");
    TIniFile store(path);
    store.WriteInteger("game1", "score", 5);
    ASSERT_EQ(store.ReadInteger("game1", "score", -1), 5);
    const struct {
        const char* change;
        std::function<void()> apply;
        int32_t expected;
    } steps[] = {
        {"edited in place", [&] { writeText(path, "[game1]\nscore=77\n"); }, 77},
        {"replaced by another file of the same size",
         [&] {
             writeText(folder.file("new"), "[game1]\nscore=88\n");
             fs::rename(folder.file("new"), path);
         },
         88},
        {"removed", [&] { fs::remove(path); }, -1},
        {"back again", [&] { writeText(path, "[GAME1]\nscore=9\n"); }, 9},
    };
    for (const auto& step : steps) {
        step.apply();
        EXPECT_EQ(store.ReadInteger("game1", "score", -1), step.expected) << step.change;
    }
}

TEST(TIniFile, WritesSeveralKeysAsOneChange) {
    const struct {
        const char* before;
        const char* after;
    } cases[] = {
        {nullptr, "[game2]\nscore=7\nverify=11\n"},
        {"[game2]\r\nverify=1\r\n; note\r\n", "[game2]\r\nverify=11\r\n; note\r\nscore=7\r\n"},
        {"[Settings]\nVolume=3", "[Settings]\nVolume=3\n[game2]\nscore=7\nverify=11\n"},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        const std::string path = folder.file("scores.dat");
        if (c.before) writeText(path, c.before);
        TIniFile(path).WriteIntegers("game2", {{"score", 7}, {"verify", 11}});
        EXPECT_EQ(readText(path), c.after) << (c.before ? c.before : "<no file>");
    }
}

TEST(TIniFile, AWriteThatChangesNothingLeavesTheFileAlone) {
    TempFolder folder;
    const std::string path = folder.file("scores.dat");
    writeText(path, "[Settings]\nVolume=16\n");
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    TIniFile(path).WriteInteger("Settings", "volume", 16);
    EXPECT_EQ(readText(path), "[Settings]\nvolume=16\n") << "a changed spelling is a change";
    struct stat renamed {};
    ASSERT_EQ(::stat(path.c_str(), &renamed), 0);
    TIniFile(path).WriteInteger("Settings", "volume", 16);
    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_NE(renamed.st_ino, before.st_ino);
    EXPECT_EQ(after.st_ino, renamed.st_ino) << "the same value again was written anew";
}

}  // namespace
}  // namespace ik
