// Which language the game speaks: the original's Czech unless the player asks
// for another one this build has a catalogue for.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/Translator.h"

namespace ik {

// Czech first, then each language the build compiled a catalogue for.
std::vector<std::string> knownLanguages();
bool knownLanguage(const std::string& code);
// The language after `current` in knownLanguages(), round to the first: the
// menu's language key.
std::string nextLanguage(const std::string& current);

// What the environment asks for, as gettext programs read it: the locale of
// messages is the first set of LC_ALL, LC_MESSAGES and LANG; unless it is "C"
// or "POSIX", LANGUAGE's list of languages comes before it. The first entry
// that names a known language ("en_GB.UTF-8" names "en") wins; none gives
// Czech. `variable` returns null for a variable that is not set.
std::string languageFromEnvironment(const std::function<const char*(const char*)>& variable);
// What the player's system asks for: the environment's choice as above when
// it names a locale at all, else the first of the user's display languages
// ("en-GB"; where the system keeps them in its settings, as Windows does)
// that names a known language; else Czech.
std::string languageFromSystem(const std::function<const char*(const char*)>& variable,
                               const std::vector<std::string>& displayLanguages);

// The data file that holds `language`'s variants of the pictures with words
// of `dataFile`: "general.dat" in "en" is "general.en.dat".
std::string languageVariantName(const std::string& dataFile, const std::string& language);

// The translator for `language` with its catalogue ("ironkeel.mo", found by
// findCatalogue). A catalogue that is missing or cannot be read gives the
// original's Czech and one line on stderr.
Translator loadTranslator(const std::string& language);

}  // namespace ik
