#include "app/Language.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "app/Files.h"

namespace ik {

namespace {

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream stream(text);
    while (std::getline(stream, part, separator))
        if (!part.empty()) parts.push_back(part);
    return parts;
}

// "en_GB.UTF-8@euro" -> "en_GB", then "en"; Windows writes "en-GB".
std::vector<std::string> candidates(const std::string& locale) {
    const std::string name = locale.substr(0, locale.find_first_of(".@"));
    std::vector<std::string> names = {name};
    const size_t region = name.find_first_of("_-");
    if (region != std::string::npos) names.push_back(name.substr(0, region));
    return names;
}

std::string firstKnown(const std::vector<std::string>& asked) {
    for (const std::string& entry : asked)
        for (const std::string& code : candidates(entry))
            if (knownLanguage(code)) return code;
    return kOriginalLanguage;
}

const char* const kLocaleVariables[] = {"LC_ALL", "LC_MESSAGES", "LANG"};

}  // namespace

std::vector<std::string> knownLanguages() {
    std::vector<std::string> languages = {kOriginalLanguage};
    for (const std::string& code : split(IK_TRANSLATIONS, ';')) languages.push_back(code);
    return languages;
}

bool knownLanguage(const std::string& code) {
    const auto known = knownLanguages();
    return std::find(known.begin(), known.end(), code) != known.end();
}

std::string nextLanguage(const std::string& current) {
    const auto known = knownLanguages();
    const auto at = std::find(known.begin(), known.end(), current);
    return at == known.end() || at + 1 == known.end() ? known.front() : *(at + 1);
}

std::string languageFromEnvironment(const std::function<const char*(const char*)>& variable) {
    auto value = [&](const char* name) {
        const char* text = variable(name);
        return std::string(text ? text : "");
    };
    std::string locale;
    for (const char* name : kLocaleVariables) {
        locale = value(name);
        if (!locale.empty()) break;
    }
    if (locale.empty() || locale == "C" || locale == "POSIX" || locale.rfind("C.", 0) == 0) return kOriginalLanguage;
    std::vector<std::string> asked = split(value("LANGUAGE"), ':');
    asked.push_back(locale);
    return firstKnown(asked);
}

std::string languageFromSystem(const std::function<const char*(const char*)>& variable,
                               const std::vector<std::string>& displayLanguages) {
    for (const char* name : kLocaleVariables) {
        const char* locale = variable(name);
        if (locale && *locale) return languageFromEnvironment(variable);
    }
    return firstKnown(displayLanguages);
}

std::string languageVariantName(const std::string& dataFile, const std::string& language) {
    const size_t dot = dataFile.rfind('.');
    return dataFile.substr(0, dot) + "." + language + dataFile.substr(dot);
}

Translator loadTranslator(const std::string& language) {
    if (language == kOriginalLanguage) return {};
    const std::string path = findCatalogue(language);
    if (path.empty()) {
        std::fprintf(stderr, "ironkeel: no catalogue for language '%s' was found: the game speaks Czech\n",
                     language.c_str());
        return {};
    }
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    std::string problem;
    auto catalog = file ? MessageCatalog::parse(bytes.str(), problem) : std::nullopt;
    if (!file) problem = "cannot be read";
    if (!catalog) {
        std::fprintf(stderr, "ironkeel: %s: %s: the game speaks Czech\n", path.c_str(), problem.c_str());
        return {};
    }
    return Translator(language, std::make_shared<const MessageCatalog>(std::move(*catalog)));
}

}  // namespace ik
