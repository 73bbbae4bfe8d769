// "scores.dat": the records of the four episodes with their check values,
// and the two settings. The file is a plain INI text that the player may look
// into or edit, so every read sees the file as it is now and every write
// replaces it at once.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/StoreFile.h"

namespace ik {

// An INI file on disk. Section and key names match without regard to letter
// case; a write keeps every other line of the file as it was. A write replaces
// the whole file through a temporary file beside it, so a crash at any moment
// leaves either the old or the new file; a name that is a symbolic link is
// written through, its target replaced in its own folder. A write the system
// refuses throws ik::Exception "Unable to write to <file>".
//
// The file is read once and its values kept until it changes on disk (another
// inode, size or modification time), so that a large file costs one read, not
// one per value. Only an edit in place that keeps the size within the same
// tick of the file system's clock as the last look would go unseen.
class TIniFile {
public:
    explicit TIniFile(std::string path);

    int32_t ReadInteger(const std::string& section, const std::string& key, int32_t fallback) const;
    void WriteInteger(const std::string& section, const std::string& key, int32_t value);
    // Writes all the keys of one change in a single replacement of the file,
    // so that a crash never leaves some of them written and others not.
    void WriteIntegers(const std::string& section, const std::vector<std::pair<std::string, int32_t>>& values);
    bool ReadBool(const std::string& section, const std::string& key, bool fallback) const;
    void WriteBool(const std::string& section, const std::string& key, bool value);
    std::string ReadString(const std::string& section, const std::string& key, const std::string& fallback) const;
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    std::string FileName() const { return path_; }

    // Why the name cannot hold the store, found when the store opens: a FIFO,
    // a device or a folder there (after following links) would block a read,
    // never end one or refuse every write. Reads of anything but a regular
    // file give the defaults; writes over it throw.
    const std::optional<std::string>& Refusal() const { return refusal_; }
    // Removes what writes killed before their end left beside the file.
    void RemoveStaleTemporaryFiles() const;

private:
    // The file's content and, for the first section of each name, the first
    // value of each key; names in lower case.
    struct Snapshot {
        FileStamp stamp;
        std::string text;
        std::map<std::pair<std::string, std::string>, std::string> values;
    };
    const Snapshot* current() const;
    std::optional<std::string> readValue(std::string_view section, std::string_view key) const;
    void writeValues(const std::string& section, const std::vector<std::pair<std::string, std::string>>& values);

    std::string path_;
    std::optional<std::string> refusal_;
    mutable std::optional<Snapshot> snapshot_;
};

// Decimal with an optional sign, or hexadecimal after "$" or "0x"/"0X" (up to
// 32 bits, taken as the signed pattern). Anything else is unreadable.
std::optional<int32_t> parseIniInteger(std::string_view text);

// One episode's stored record: its best score and the check value beside it.
struct StoredRecord {
    int32_t score = 0;
    int32_t verify = 0;
};

// The section of episode N's record: "game1" .. "game4".
std::string recordSection(int episode);
StoredRecord readRecord(const TIniFile& store, const std::string& section);
bool recordValid(const StoredRecord& record);
// Keeps a valid record that is at least as good; otherwise writes the score
// and its check value in one replacement of the file. Returns whether anything
// was written.
bool updateRecord(TIniFile& store, const std::string& section, int32_t score);
// Points needed in episode N-1 to open episode N (N = 2..4).
int32_t unlockThreshold(int episode, bool easy);
// A record opens the next episode when it is valid and reaches the threshold.
bool recordUnlocks(const StoredRecord& record, int32_t threshold);

}  // namespace ik
