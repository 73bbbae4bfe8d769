#include "app/MessageCatalog.h"

#include <cstdint>
#include <cstring>

namespace ik {

namespace {

constexpr uint32_t kMagic = 0x950412de;
constexpr uint32_t kMagicSwapped = 0xde120495;

uint32_t swapped(uint32_t v) { return (v >> 24) | ((v >> 8) & 0xFF00u) | ((v << 8) & 0xFF0000u) | (v << 24); }

class Reader {
public:
    Reader(std::string_view bytes, bool swap) : bytes_(bytes), swap_(swap) {}
    bool word(uint64_t offset, uint32_t& value) const {
        if (offset > bytes_.size() || bytes_.size() - offset < 4) return false;
        std::memcpy(&value, bytes_.data() + offset, 4);
        if (swap_) value = swapped(value);
        return true;
    }
    // The string a descriptor at `offset` of a table points to: its bytes must
    // lie inside the file and end with the NUL the format requires.
    bool text(uint64_t descriptor, std::string_view& value) const {
        uint32_t length = 0, start = 0;
        if (!word(descriptor, length) || !word(descriptor + 4, start)) return false;
        if (uint64_t{start} + length >= bytes_.size() || bytes_[uint64_t{start} + length] != '\0') return false;
        value = bytes_.substr(start, length);
        return true;
    }

private:
    std::string_view bytes_;
    bool swap_;
};

// A plural or context entry has parts after a NUL; the game uses neither, so
// only the first part counts.
std::string_view firstPart(std::string_view text) { return text.substr(0, text.find('\0')); }

}  // namespace

bool formatMarkers(std::string_view text, std::string& markers) {
    markers.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') continue;
        if (i + 1 == text.size()) return false;
        const char kind = text[++i];
        if (kind == '%') continue;
        if (kind != 'd' && kind != 's') return false;
        markers += kind;
    }
    return true;
}

std::optional<MessageCatalog> MessageCatalog::parse(std::string_view bytes, std::string& problem) {
    uint32_t magic = 0;
    if (bytes.size() < 28 || (std::memcpy(&magic, bytes.data(), 4), magic != kMagic && magic != kMagicSwapped)) {
        problem = "not a compiled message catalogue";
        return std::nullopt;
    }
    const Reader reader(bytes, magic == kMagicSwapped);
    uint32_t revision = 0, count = 0, originals = 0, translations = 0;
    reader.word(4, revision);
    reader.word(8, count);
    reader.word(12, originals);
    reader.word(16, translations);
    if (revision >> 16 > 1) {
        problem = "catalogue revision " + std::to_string(revision >> 16) + " is unknown";
        return std::nullopt;
    }
    MessageCatalog catalog;
    std::string wanted, given;
    for (uint64_t i = 0; i < count; ++i) {
        std::string_view original, translation;
        if (!reader.text(originals + 8 * i, original) || !reader.text(translations + 8 * i, translation)) {
            problem = "cut short or damaged (message " + std::to_string(i) + " lies outside the file)";
            return std::nullopt;
        }
        original = firstPart(original);
        translation = firstPart(translation);
        if (original.empty() || translation.empty()) continue;  // the header; an untranslated entry
        if (!formatMarkers(original, wanted) || !formatMarkers(translation, given) || wanted != given) {
            problem = "the translation of \"" + std::string(original) + "\" does not keep its format markers";
            return std::nullopt;
        }
        catalog.translations_.emplace(original, translation);
    }
    return catalog;
}

const std::string* MessageCatalog::find(std::string_view original) const {
    const auto found = translations_.find(std::string(original));
    return found == translations_.end() ? nullptr : &found->second;
}

}  // namespace ik
