#include "app/ScoreStore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>
#include <vector>

#include "app/Form.h"
#include "display/Exception.h"

namespace ik {

namespace {

std::string_view trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

std::optional<uint64_t> parseDigits(std::string_view digits, unsigned base, uint64_t limit) {
    if (digits.empty()) return std::nullopt;
    uint64_t value = 0;
    for (char c : digits) {
        unsigned digit;
        if (c >= '0' && c <= '9') digit = static_cast<unsigned>(c - '0');
        else if (base == 16 && c >= 'a' && c <= 'f') digit = static_cast<unsigned>(c - 'a' + 10);
        else if (base == 16 && c >= 'A' && c <= 'F') digit = static_cast<unsigned>(c - 'A' + 10);
        else return std::nullopt;
        value = value * base + digit;
        if (value > limit) return std::nullopt;
    }
    return value;
}

// One line of the file with the line break it ended with, so that a rewrite
// gives back every untouched line byte for byte.
struct IniLine {
    std::string text;
    std::string eol;
};

std::vector<IniLine> splitLines(const std::string& content) {
    std::vector<IniLine> lines;
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back({content.substr(start), ""});
            break;
        }
        size_t textEnd = (end > start && content[end - 1] == '\r') ? end - 1 : end;
        lines.push_back({content.substr(start, textEnd - start), content.substr(textEnd, end + 1 - textEnd)});
        start = end + 1;
    }
    return lines;
}

std::optional<std::string_view> sectionName(std::string_view line) {
    line = trim(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    const auto close = line.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return trim(line.substr(1, close - 1));
}

struct KeyValue {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyValue> keyValue(std::string_view line) {
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return KeyValue{trim(line.substr(0, equals)), trim(line.substr(equals + 1))};
}

// Where a key sits in the file: the line of its section header (if any), the
// line of the key (if any), and the line after which a new key belongs.
struct KeyPlace {
    std::optional<size_t> section;
    std::optional<size_t> key;
    size_t lastContent = 0;
};

KeyPlace findKey(const std::vector<IniLine>& lines, std::string_view section, std::string_view key) {
    KeyPlace place;
    bool inside = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (auto name = sectionName(lines[i].text)) {
            if (inside) break;  // the first section of that name is the one used
            inside = sameName(*name, section);
            if (inside) place.section = place.lastContent = i;
            continue;
        }
        if (!inside) continue;
        if (!trim(lines[i].text).empty()) place.lastContent = i;
        if (auto kv = keyValue(lines[i].text); kv && sameName(kv->key, key)) {
            place.key = i;
            break;
        }
    }
    return place;
}

std::optional<std::string> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return content.str();
}

bool writeAll(int fd, const std::string& content) {
    size_t done = 0;
    while (done < content.size()) {
        const ssize_t written = ::write(fd, content.data() + done, content.size() - done);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(written);
    }
    return true;
}

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The new content goes to a temporary file beside the old one, reaches the
// disk, and only then takes the old one's name: a crash at any point leaves
// one whole file under the name.
void replaceFile(const std::string& path, const std::string& content) {
    const std::string failure = Format("Unable to write to %s", path);
    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) throw Exception(failure);
    struct stat old {};
    const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    const bool written = ::fchmod(fd, mode) == 0 && writeAll(fd, content) && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !written || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        throw Exception(failure);
    }
    // The rename itself is made durable by syncing the folder; a failure here
    // loses nothing that was there before.
    const int folder = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

}  // namespace

std::optional<int32_t> ParseIniInteger(std::string_view text) {
    text = trim(text);
    std::optional<std::string_view> hexDigits;
    if (!text.empty() && text.front() == '$') hexDigits = text.substr(1);
    else if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) hexDigits = text.substr(2);
    if (hexDigits) {
        const auto value = parseDigits(*hexDigits, 16, 0xFFFFFFFFull);
        if (!value) return std::nullopt;
        return static_cast<int32_t>(static_cast<uint32_t>(*value));
    }
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
    const auto magnitude = parseDigits(text, 10, negative ? 0x80000000ull : 0x7FFFFFFFull);
    if (!magnitude) return std::nullopt;
    return static_cast<int32_t>(negative ? -static_cast<int64_t>(*magnitude) : static_cast<int64_t>(*magnitude));
}

TIniFile::TIniFile(std::string path) : path_(std::move(path)) {}

std::optional<std::string> TIniFile::readValue(std::string_view section, std::string_view key) const {
    const auto content = readFile(path_);
    if (!content) return std::nullopt;
    const auto lines = splitLines(*content);
    const auto place = findKey(lines, section, key);
    if (!place.key) return std::nullopt;
    return std::string(keyValue(lines[*place.key].text)->value);
}

void TIniFile::writeValue(const std::string& section, const std::string& key, const std::string& value) {
    auto lines = splitLines(readFile(path_).value_or(""));
    const std::string eol = [&] {
        for (const auto& line : lines)
            if (!line.eol.empty()) return line.eol;
        return std::string("\n");
    }();
    if (!lines.empty() && lines.back().eol.empty()) lines.back().eol = eol;

    const auto place = findKey(lines, section, key);
    const IniLine entry{key + "=" + value, eol};
    if (place.key) {
        lines[*place.key].text = entry.text;
    } else if (place.section) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(place.lastContent + 1), entry);
    } else {
        lines.push_back({"[" + section + "]", eol});
        lines.push_back(entry);
    }
    std::string content;
    for (const auto& line : lines) content += line.text + line.eol;
    replaceFile(path_, content);
}

int32_t TIniFile::ReadInteger(const std::string& section, const std::string& key, int32_t fallback) const {
    const auto text = readValue(section, key);
    if (!text) return fallback;
    return ParseIniInteger(*text).value_or(fallback);
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int32_t value) {
    writeValue(section, key, std::to_string(value));
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool fallback) const {
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void TIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
    writeValue(section, key, value ? "1" : "0");
}

// --- the rules of the records ---

namespace {
// A missing record reads as score 0 with check value 11, which is
// verify_value(0): an absent record counts as a valid record of 0.
constexpr int32_t kMissingScore = 0;
constexpr int32_t kMissingVerify = 11;

struct Thresholds {
    int32_t easy;
    int32_t hard;
};
constexpr Thresholds kUnlockThresholds[] = {{180, 200}, {4900, 5000}, {85000, 90000}};  // episodes 2..4
}  // namespace

std::string RecordSection(int episode) { return "game" + std::to_string(episode); }

StoredRecord ReadRecord(const TIniFile& store, const std::string& section) {
    return {store.ReadInteger(section, "score", kMissingScore), store.ReadInteger(section, "verify", kMissingVerify)};
}

bool RecordValid(const StoredRecord& record) { return record.verify == TForm1::verify_value(record.score); }

bool UpdateRecord(TIniFile& store, const std::string& section, int32_t score) {
    const StoredRecord stored = ReadRecord(store, section);
    if (RecordValid(stored) && stored.score >= score) return false;
    store.WriteInteger(section, "score", score);
    store.WriteInteger(section, "verify", TForm1::verify_value(score));
    return true;
}

int32_t UnlockThreshold(int episode, bool easy) {
    const Thresholds& t = kUnlockThresholds[episode - 2];
    return easy ? t.easy : t.hard;
}

bool RecordUnlocks(const StoredRecord& record, int32_t threshold) {
    return RecordValid(record) && record.score >= threshold;
}

// --- the form's side ---

int32_t TForm1::verify_value(int32_t s) {
    // C++ division truncates toward zero and % takes the dividend's sign,
    // which is the rule the stored check values were made with.
    return ((s / 2) + 33) / 3 - (s % 6);
}

void TForm1::read_record(const std::string& section) {
    const StoredRecord record = ReadRecord(*scores_ini, section);
    stored_score = record.score;
    stored_verify = record.verify;
}

void TForm1::apply_thresholds() {
    for (int episode = 2; episode <= 4; ++episode) unlock_score[episode] = UnlockThreshold(episode, easy_mode);
}

void TForm1::is_unlocked() {
    // Each flag looks only at the record just before it, never at the
    // earlier flags: a good record of episode 2 opens 3 even while 2 is shut.
    for (int episode = 2; episode <= 4; ++episode) {
        read_record(RecordSection(episode - 1));
        unlocked[episode] = RecordUnlocks({stored_score, stored_verify}, unlock_score[episode]);
    }
}

void TForm1::update_record() {
    read_record(screen);
    UpdateRecord(*scores_ini, screen, score);
}

}  // namespace ik
