#include "app/ScoreStore.h"

#include <set>
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
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a' + 10);
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = static_cast<unsigned>(c - 'A' + 10);
        else
            return std::nullopt;
        value = value * base + digit;
        if (value > limit) return std::nullopt;
    }
    return value;
}

// One line of a text: its bytes without the line break, and where the next
// line starts. Edits splice whole lines, so every untouched byte stays.
struct Line {
    std::string_view text;
    size_t begin = 0;
    size_t next = 0;
};

// The lines of a text in order; a last line without a break counts too.
class Lines {
public:
    explicit Lines(std::string_view text) : text_(text) {}
    bool next(Line& line) {
        if (position_ >= text_.size()) return false;
        size_t end = text_.find('\n', position_);
        const size_t next = end == std::string_view::npos ? text_.size() : end + 1;
        if (end == std::string_view::npos) end = text_.size();
        // A last line cut short after its carriage return ends there too, so
        // that it reads the same before and after a write adds the line feed.
        if (end > position_ && text_[end - 1] == '\r') --end;
        line = {text_.substr(position_, end - position_), position_, next};
        position_ = next;
        return true;
    }

private:
    std::string_view text_;
    size_t position_ = 0;
};

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

// Where a key sits in the file: whether its section is there, the line of the
// key (if any), and the offset where a new key of the section belongs.
struct KeyPlace {
    bool section = false;
    std::optional<Line> key;
    size_t insertAt = 0;
};

KeyPlace findKey(std::string_view text, std::string_view section, std::string_view key) {
    KeyPlace place;
    bool inside = false;
    Lines lines(text);
    for (Line line; lines.next(line);) {
        if (auto name = sectionName(line.text)) {
            if (inside) break;  // the first section of that name is the one used
            inside = sameName(*name, section);
            if (inside) {
                place.section = true;
                place.insertAt = line.next;
            }
            continue;
        }
        if (!inside) continue;
        if (!trim(line.text).empty()) place.insertAt = line.next;
        if (auto kv = keyValue(line.text); kv && sameName(kv->key, key)) {
            place.key = line;
            break;
        }
    }
    return place;
}

// The line break the file already uses, "\n" for a file without one.
std::string lineBreakOf(std::string_view text) {
    const auto end = text.find('\n');
    if (end == std::string_view::npos) return "\n";
    return end > 0 && text[end - 1] == '\r' ? "\r\n" : "\n";
}

std::string lowerCase(std::string_view name) {
    std::string lower(name);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

// One pass over the file that answers every later read the way findKey
// would: the first section of a name counts, and in it the first line of a key.
std::map<std::pair<std::string, std::string>, std::string> indexValues(std::string_view text) {
    std::map<std::pair<std::string, std::string>, std::string> values;
    std::set<std::string> sectionsSeen;
    std::optional<std::string> section;  // none before the first header, or in a repeated section
    Lines lines(text);
    for (Line line; lines.next(line);) {
        if (auto name = sectionName(line.text)) {
            std::string lower = lowerCase(*name);
            section.reset();
            if (sectionsSeen.insert(lower).second) section = std::move(lower);
            continue;
        }
        if (!section) continue;
        if (auto kv = keyValue(line.text)) values.try_emplace({*section, lowerCase(kv->key)}, kv->value);
    }
    return values;
}

}  // namespace

std::optional<int32_t> parseIniInteger(std::string_view text) {
    text = trim(text);
    std::optional<std::string_view> hexDigits;
    if (!text.empty() && text.front() == '$') hexDigits = text.substr(1);
    else if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        hexDigits = text.substr(2);
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

TIniFile::TIniFile(std::string path) : path_(std::move(path)) {
    if (kindOf(path_) == FileKind::Other)
        refusal_ = Format("Cannot keep records in %s: it is not a regular file", path_);
}

void TIniFile::RemoveStaleTemporaryFiles() const {
    if (refusal_) return;
    // A loop of links has no folder of the file to tidy up, and every write
    // will say so.
    if (const auto target = followLinks(path_)) removeStaleTemporaries(*target);
}

const TIniFile::Snapshot* TIniFile::current() const {
    const auto stamp = regularFileStamp(path_);
    if (stamp && snapshot_ && snapshot_->stamp == *stamp) return &*snapshot_;
    snapshot_.reset();
    auto content = readRegularFile(path_);
    if (!content) return nullptr;
    auto values = indexValues(content->text);
    snapshot_ = Snapshot{content->stamp, std::move(content->text), std::move(values)};
    return &*snapshot_;
}

std::optional<std::string> TIniFile::readValue(std::string_view section, std::string_view key) const {
    const Snapshot* snapshot = current();
    if (!snapshot) return std::nullopt;
    const auto found = snapshot->values.find({lowerCase(section), lowerCase(key)});
    if (found == snapshot->values.end()) return std::nullopt;
    return found->second;
}

void TIniFile::writeValues(const std::string& section, const std::vector<std::pair<std::string, std::string>>& values) {
    const std::string failure = Format("Unable to write to %s", path_);
    const auto followed = followLinks(path_);
    if (!followed) throw Exception(failure);
    const std::string& target = *followed;
    const FileKind kind = kindOf(target);
    // A file that is there but cannot be read must not be replaced by one
    // that holds only these keys.
    const Snapshot* old = kind == FileKind::Regular ? current() : nullptr;
    if (kind == FileKind::Other || (kind == FileKind::Regular && !old)) throw Exception(failure);

    std::string content = old ? old->text : std::string();
    const std::string eol = lineBreakOf(content);
    // A last line cut after its carriage return needs only the line feed:
    // another CR would end up in its value.
    if (!content.empty() && content.back() == '\r') content += '\n';
    else if (!content.empty() && content.back() != '\n')
        content += eol;
    for (const auto& [key, value] : values) {
        const std::string entry = key + "=" + value;
        const auto place = findKey(content, section, key);
        if (place.key) content.replace(place.key->begin, place.key->text.size(), entry);
        else if (place.section)
            content.insert(place.insertAt, entry + eol);
        else
            content += "[" + section + "]" + eol + entry + eol;
    }
    // The same values again (the volume saved at every close) change nothing.
    if (old && content == old->text) return;
    const auto replaced = replaceFile(target, content);
    if (!replaced) throw Exception(failure);
    snapshot_.reset();
    // The file just written need not be read back.
    if (replaced->stamp) {
        auto index = indexValues(content);
        snapshot_ = Snapshot{*replaced->stamp, std::move(content), std::move(index)};
    }
}

int32_t TIniFile::ReadInteger(const std::string& section, const std::string& key, int32_t fallback) const {
    const auto text = readValue(section, key);
    if (!text) return fallback;
    return parseIniInteger(*text).value_or(fallback);
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int32_t value) {
    writeValues(section, {{key, std::to_string(value)}});
}

void TIniFile::WriteIntegers(const std::string& section, const std::vector<std::pair<std::string, int32_t>>& values) {
    std::vector<std::pair<std::string, std::string>> texts;
    for (const auto& [key, value] : values) texts.emplace_back(key, std::to_string(value));
    writeValues(section, texts);
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool fallback) const {
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void TIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
    writeValues(section, {{key, value ? "1" : "0"}});
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& fallback) const {
    return readValue(section, key).value_or(fallback);
}

void TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    writeValues(section, {{key, value}});
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

std::string recordSection(int episode) { return "game" + std::to_string(episode); }

StoredRecord readRecord(const TIniFile& store, const std::string& section) {
    return {store.ReadInteger(section, "score", kMissingScore), store.ReadInteger(section, "verify", kMissingVerify)};
}

bool recordValid(const StoredRecord& record) { return record.verify == TForm1::verify_value(record.score); }

bool updateRecord(TIniFile& store, const std::string& section, int32_t score) {
    const StoredRecord stored = readRecord(store, section);
    if (recordValid(stored) && stored.score >= score) return false;
    store.WriteIntegers(section, {{"score", score}, {"verify", TForm1::verify_value(score)}});
    return true;
}

int32_t unlockThreshold(int episode, bool easy) {
    const Thresholds& t = kUnlockThresholds[episode - 2];
    return easy ? t.easy : t.hard;
}

bool recordUnlocks(const StoredRecord& record, int32_t threshold) {
    return recordValid(record) && record.score >= threshold;
}

// The check value is the form's function in the original; the store's rules
// need it, so it lives here rather than with the form's record methods
// (app/Records.cpp).
int32_t TForm1::verify_value(int32_t s) {
    // C++ division truncates toward zero and % takes the dividend's sign,
    // which is the rule the stored check values were made with.
    return ((s / 2) + 33) / 3 - (s % 6);
}

}  // namespace ik
