// The catalogue reader, the translator and the choice of language.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/Language.h"
#include "app/MessageCatalog.h"
#include "app/Translator.h"

namespace ik {
namespace {

// A catalogue as msgfmt lays it out: header, the two tables of (length,
// offset) pairs, then the strings, each ending in NUL.
std::string catalogueBytes(const std::vector<std::pair<std::string, std::string>>& messages, bool bigEndian = false) {
    auto word = [&](std::string& out, uint32_t v) {
        for (int i = 0; i < 4; ++i) out += static_cast<char>(bigEndian ? v >> (24 - 8 * i) : v >> (8 * i));
    };
    const uint32_t count = static_cast<uint32_t>(messages.size());
    const uint32_t originals = 28, translations = originals + 8 * count;
    uint32_t at = translations + 8 * count;
    std::string header, strings;
    word(header, 0x950412de);
    word(header, 0);
    word(header, count);
    word(header, originals);
    word(header, translations);
    word(header, 0);
    word(header, at);
    std::string originalTable, translationTable;
    for (int table = 0; table < 2; ++table) {
        for (const auto& [original, translation] : messages) {
            const std::string& text = table == 0 ? original : translation;
            word(table == 0 ? originalTable : translationTable, static_cast<uint32_t>(text.size()));
            word(table == 0 ? originalTable : translationTable, at);
            strings += text + '\0';
            at += static_cast<uint32_t>(text.size()) + 1;
        }
    }
    return header + originalTable + translationTable + strings;
}

std::string builtCatalogue() {
    std::ifstream file(std::string(IK_BINARY_DIR) + "/locale/en/LC_MESSAGES/ironkeel.mo", std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

TEST(MessageCatalog, ReadsTheCatalogueTheBuildCompiled) {
    const std::string bytes = builtCatalogue();
    ASSERT_FALSE(bytes.empty()) << "the build compiles po/en.po into build/locale";
    std::string problem;
    const auto catalog = MessageCatalog::parse(bytes, problem);
    ASSERT_TRUE(catalog) << problem;
    ASSERT_NE(catalog->find("Nahrávám..."), nullptr);
    EXPECT_EQ(*catalog->find("Nahrávám..."), "Loading...");
    EXPECT_EQ(*catalog->find("Hlasitost hudby: %d (klávesy +/-)"), "Music volume: %d (keys +/-)");
    EXPECT_EQ(catalog->find(""), nullptr) << "the header is no message";
    EXPECT_EQ(catalog->find("no such text"), nullptr);
}

TEST(MessageCatalog, EveryCutOfTheCatalogueIsRefusedWithoutACrash) {
    const std::string bytes = builtCatalogue();
    ASSERT_GT(bytes.size(), 1000u);
    for (size_t length = 0; length < bytes.size(); ++length) {
        std::string problem;
        // The strings come last: any cut loses at least the final NUL.
        EXPECT_FALSE(MessageCatalog::parse(std::string_view(bytes).substr(0, length), problem)) << length;
        EXPECT_FALSE(problem.empty()) << length;
    }
}

TEST(MessageCatalog, RefusesDamagedFilesAndSaysWhy) {
    const std::string good = catalogueBytes({{"", "Content-Type: text/plain; charset=UTF-8\n"}, {"Ahoj", "Hello"}});
    std::string problem;
    ASSERT_TRUE(MessageCatalog::parse(good, problem)) << problem;

    struct Case {
        const char* what;
        std::string bytes;
        const char* problem;
    };
    std::string badMagic = good, bigRevision = good, farOffset = good, hugeCount = good, noNul = good;
    badMagic[0] = 'X';
    bigRevision[6] = 2;
    farOffset[28 + 8 + 4] = '\xff';  // the second original's offset
    hugeCount[8] = hugeCount[9] = hugeCount[10] = hugeCount[11] = '\xff';
    noNul.back() = 'x';
    const Case cases[] = {
        {"empty", "", "not a compiled message catalogue"},
        {"wrong magic", badMagic, "not a compiled message catalogue"},
        {"a later revision", bigRevision, "catalogue revision 2 is unknown"},
        {"an offset past the end", farOffset, "cut short or damaged (message 1 lies outside the file)"},
        {"more messages than the file holds", hugeCount, "cut short or damaged (message 2 lies outside the file)"},
        {"a string without its NUL", noNul, "cut short or damaged (message 1 lies outside the file)"},
        {"a number where the original has a word", catalogueBytes({{"Skóre: %s", "Score: %d"}}),
         "the translation of \"Skóre: %s\" does not keep its format markers"},
        {"a marker more", catalogueBytes({{"Level %d", "Level %d of %d"}}),
         "the translation of \"Level %d\" does not keep its format markers"},
        {"a marker the game never writes", catalogueBytes({{"Level %d", "Level %n"}}),
         "the translation of \"Level %d\" does not keep its format markers"},
    };
    for (const Case& c : cases) {
        problem.clear();
        EXPECT_FALSE(MessageCatalog::parse(c.bytes, problem)) << c.what;
        EXPECT_EQ(problem, c.problem) << c.what;
    }
}

TEST(MessageCatalog, ReadsBothByteOrdersAndTheFirstFormOfPlurals) {
    for (bool bigEndian : {false, true}) {
        std::string problem;
        const auto catalog = MessageCatalog::parse(
            catalogueBytes(
                {{"Ahoj", "Hello"}, {std::string("bod\0body", 8), std::string("point\0points", 12)}, {"Prázdný", ""}},
                bigEndian),
            problem);
        ASSERT_TRUE(catalog) << problem;
        EXPECT_EQ(*catalog->find("Ahoj"), "Hello");
        EXPECT_EQ(*catalog->find("bod"), "point");
        EXPECT_EQ(catalog->find("Prázdný"), nullptr) << "an untranslated message keeps the original";
    }
}

TEST(Translator, WithoutACatalogueEveryTextIsTheOriginal) {
    const Translator czech;
    EXPECT_TRUE(czech.original());
    EXPECT_EQ(czech.language(), "cs");
    const char* text = "Nahrávám...";
    EXPECT_EQ(czech.tr(text), text);
    EXPECT_EQ(czech.trf("K odemčení nahrajte %d bodů ve hře ze Série %d", {"300", "1"}),
              "K odemčení nahrajte 300 bodů ve hře ze Série 1");
    EXPECT_EQ(czech.trf("100%% a %s", {"dost"}), "100% a dost");
}

TEST(Translator, FillsTheTranslationsMarkersInTurn) {
    std::string problem;
    auto catalog = MessageCatalog::parse(
        catalogueBytes({{"Zbývá: %s", "Left: %s"}, {"K odemčení %d ze Série %d", "Series %d... no, %d"}}), problem);
    ASSERT_TRUE(catalog) << problem;
    const Translator english("en", std::make_shared<const MessageCatalog>(std::move(*catalog)));
    EXPECT_EQ(english.trf("Zbývá: %s", {"4:59"}), "Left: 4:59");
    EXPECT_EQ(english.trf("K odemčení %d ze Série %d", {"300", "1"}), "Series 300... no, 1");
    EXPECT_STREQ(english.tr("Nepřeloženo"), "Nepřeloženo");
}

TEST(Language, TheEnvironmentIsReadAsGettextProgramsReadIt) {
    struct Case {
        std::map<std::string, std::string> environment;
        const char* language;
    };
    const Case cases[] = {
        {{}, "cs"},
        {{{"LANG", "en_GB.UTF-8"}}, "en"},
        {{{"LANG", "en_US"}}, "en"},
        {{{"LANG", "en"}}, "en"},
        {{{"LANG", "cs_CZ.UTF-8"}}, "cs"},
        {{{"LANG", "de_DE.UTF-8"}}, "cs"},
        {{{"LANG", "xx_YY"}}, "cs"},
        {{{"LANG", "C.UTF-8"}}, "cs"},
        {{{"LANG", "en_GB.UTF-8"}, {"LC_MESSAGES", "cs_CZ.UTF-8"}}, "cs"},
        {{{"LC_MESSAGES", "cs_CZ.UTF-8"}, {"LC_ALL", "en_IE.UTF-8"}}, "en"},
        {{{"LC_ALL", ""}, {"LANG", "en_GB.UTF-8"}}, "en"},
        {{{"LANG", "de_DE.UTF-8"}, {"LANGUAGE", "fr:en:cs"}}, "en"},
        {{{"LANG", "en_GB.UTF-8"}, {"LANGUAGE", "cs"}}, "cs"},
        {{{"LANG", "de_AT.UTF-8"}, {"LANGUAGE", "de_AT:de"}}, "cs"},
        // LANGUAGE counts only where the locale is no "C".
        {{{"LANG", "C"}, {"LANGUAGE", "en"}}, "cs"},
        {{{"LANGUAGE", "en"}}, "cs"},
    };
    for (const Case& c : cases) {
        const std::string chosen = languageFromEnvironment([&](const char* name) -> const char* {
            const auto found = c.environment.find(name);
            return found == c.environment.end() ? nullptr : found->second.c_str();
        });
        std::string described;
        for (const auto& [name, value] : c.environment) described += name + "=" + value + " ";
        EXPECT_EQ(chosen, c.language) << described;
    }
}

TEST(Language, TheSystemsDisplayLanguagesCountOnlyWhenTheEnvironmentNamesNoLocale) {
    struct Case {
        std::map<std::string, std::string> environment;
        std::vector<std::string> display;
        std::string language;
    };
    const std::vector<Case> cases = {
        {{}, {}, "cs"},
        {{}, {"en-US"}, "en"},
        {{}, {"de-DE", "en-GB"}, "en"},
        {{}, {"cs-CZ", "en-US"}, "cs"},
        {{}, {"de-DE"}, "cs"},
        {{{"LANG", "cs_CZ.UTF-8"}}, {"en-US"}, "cs"},
        {{{"LANG", "en_GB.UTF-8"}}, {"cs-CZ"}, "en"},
        {{{"LANG", ""}}, {"en-US"}, "en"},
        // LANGUAGE alone names no locale.
        {{{"LANGUAGE", "cs"}}, {"en-US"}, "en"},
    };
    for (const Case& c : cases) {
        const std::string chosen = languageFromSystem(
            [&](const char* name) -> const char* {
                const auto found = c.environment.find(name);
                return found == c.environment.end() ? nullptr : found->second.c_str();
            },
            c.display);
        std::string described;
        for (const auto& [name, value] : c.environment) described += name + "=" + value + " ";
        for (const std::string& name : c.display) described += name + " ";
        EXPECT_EQ(chosen, c.language) << described;
    }
}

TEST(Language, TheKeyGoesRoundEveryLanguageFromCzech) {
    const std::vector<std::string> known = knownLanguages();
    ASSERT_EQ(known.front(), "cs");
    ASSERT_TRUE(knownLanguage("en"));
    EXPECT_FALSE(knownLanguage("xx"));
    std::string language = "cs";
    for (size_t i = 1; i < known.size(); ++i) {
        language = nextLanguage(language);
        EXPECT_EQ(language, known[i]);
    }
    EXPECT_EQ(nextLanguage(language), "cs");
    EXPECT_EQ(languageVariantName("series1.dat", "en"), "series1.en.dat");
}

}  // namespace
}  // namespace ik
