// "scores.dat": the records of the four episodes with their check values,
// and the two settings. The file is a plain INI text that the player may look
// into, so every read goes to the file and every write replaces it at once.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ik {

// An INI file on disk. Section and key names match without regard to letter
// case; a write keeps every other line of the file as it was. A write replaces
// the whole file through a temporary file beside it, so a crash at any moment
// leaves either the old or the new file. A write the system refuses throws
// ik::Exception "Unable to write to <file>".
class TIniFile {
public:
    explicit TIniFile(std::string path);

    int32_t ReadInteger(const std::string& section, const std::string& key, int32_t fallback) const;
    void WriteInteger(const std::string& section, const std::string& key, int32_t value);
    bool ReadBool(const std::string& section, const std::string& key, bool fallback) const;
    void WriteBool(const std::string& section, const std::string& key, bool value);
    std::string FileName() const { return path_; }

private:
    std::optional<std::string> readValue(std::string_view section, std::string_view key) const;
    void writeValue(const std::string& section, const std::string& key, const std::string& value);

    std::string path_;
};

// Decimal with an optional sign, or hexadecimal after "$" or "0x"/"0X" (up to
// 32 bits, taken as the signed pattern). Anything else is unreadable.
std::optional<int32_t> ParseIniInteger(std::string_view text);

// One episode's stored record: its best score and the check value beside it.
struct StoredRecord {
    int32_t score = 0;
    int32_t verify = 0;
};

// The section of episode N's record: "game1" .. "game4".
std::string RecordSection(int episode);
StoredRecord ReadRecord(const TIniFile& store, const std::string& section);
bool RecordValid(const StoredRecord& record);
// Keeps a valid record that is at least as good; otherwise writes the score
// and its check value. Returns whether anything was written.
bool UpdateRecord(TIniFile& store, const std::string& section, int32_t score);
// Points needed in episode N-1 to open episode N (N = 2..4).
int32_t UnlockThreshold(int episode, bool easy);
// A record opens the next episode when it is valid and reaches the threshold.
bool RecordUnlocks(const StoredRecord& record, int32_t threshold);

}  // namespace ik
