// A compiled gettext catalogue (".mo") read by the game itself, the same way
// on every platform, so that no system's libintl decides what a player sees.
// A file that is damaged, cut short or whose translations do not carry the
// original's format markers is refused as a whole: half a catalogue would
// leave a screen in two languages.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace ik {

class MessageCatalog {
public:
    // The catalogue in `bytes`; none, with `problem` saying why, when the
    // bytes are no sound catalogue.
    static std::optional<MessageCatalog> parse(std::string_view bytes, std::string& problem);

    // The translation of `original`; null when the catalogue has none.
    const std::string* find(std::string_view original) const;
    size_t size() const { return translations_.size(); }

private:
    std::unordered_map<std::string, std::string> translations_;
};

// The printf-style markers of a message ("%d", "%s", ...) in their order;
// "%%" is no marker. False when a "%" starts nothing this game writes.
bool formatMarkers(std::string_view text, std::string& markers);

}  // namespace ik
