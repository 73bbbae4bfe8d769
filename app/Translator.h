// The one way to a text the player sees. Every such text is written in the
// code as the original's Czech, which is also the message id of the
// catalogues (po/): with no catalogue the game shows exactly the original's
// words. `tr` and `trf` are the keywords xgettext looks for; `translatable`
// marks a text kept in a table and translated where it is drawn.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

#include "app/MessageCatalog.h"

namespace ik {

// The original's language, which needs no catalogue.
inline constexpr const char* kOriginalLanguage = "cs";

constexpr const char* translatable(const char* czech) { return czech; }

class Translator {
public:
    Translator() = default;  // the original's Czech
    Translator(std::string language, std::shared_ptr<const MessageCatalog> catalog)
        : language_(std::move(language)), catalog_(std::move(catalog)) {}

    const std::string& language() const { return language_; }
    bool original() const { return !catalog_; }

    // The text in the chosen language; `czech` itself when it has no translation.
    const char* tr(const char* czech) const;
    // The same for a text with "%d"/"%s" markers, each replaced in turn by the
    // next of `values` ("%%" gives "%").
    std::string trf(const char* czech, std::initializer_list<std::string_view> values) const;

private:
    std::string language_ = kOriginalLanguage;
    std::shared_ptr<const MessageCatalog> catalog_;
};

}  // namespace ik
