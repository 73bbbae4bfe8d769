// The four rules pages and the credits, opened from the menu's small buttons.
#include <string>
#include <vector>

#include "tests/support/GameRun.h"
#include "tests/support/Pixels.h"
#include "tests/support/TestPictures.h"
#include "tests/support/TextCheck.h"

namespace ik::test {
namespace {

struct PageCase {
    const char* screen;
    int pointerY;  // inside the page's small button, away from its letter
    const char* title;
    std::vector<ExpectedText> lines;  // a sample of the body, first and last lines included
};

ExpectedText body(int x, int y, const char* text) { return {x, y, "Arial", 12, true, clWhite, text}; }

const PageCase kPages[] = {
    {"info1",
     172,
     "Kuchařské zkoušky",
     {body(75, 150, "-Cílem hry je pekáčem (myš) sbírat potřebné suroviny a vyhýbat se nepotřebným"),
      body(100, 270, "-za 50, 150, 250, atd. získáte zpomalení hry"),
      body(100, 310, "-za 100, 200, 300, atd. získáte 10 životů a chvíli padají jen potřebné suroviny"),
      body(75, 330, "-Hru můžete kdykoli vzdát klávesou \"R\""),
      body(75, 350, "-Pozastavíte jí klávesou \"P\" popřípadě mezerníkem")}},
    {"info2",
     227,
     "Den s Vorlagem",
     {body(75, 150, "-Cílem hry je dostat všechny postavy do práce (nad bílou čáru)"),
      body(75, 250, "-Největší odpor k práci má Pavian, nejmenší Dorner"),
      body(75, 310, "-Pozastavíte jí klávesou \"P\" popřípadě mezerníkem")}},
    {"info3",
     282,
     "L´Armée du Nord",
     {body(75, 150, "-Cílem hry je živit oheň vojáčky z kafrového dřeva"),
      body(75, 230, "-Oheň s přikládáním roste (rozpětí 0-100)"),
      body(75, 310, "-Pozastavíte jí klávesou \"P\" popřípadě mezerníkem")}},
    {"info4",
     337,
     "Transmogrifikace",
     {body(75, 150, "-Cílem hry je přepisovat kódy na modifikátoru DNA"),
      body(75, 270, "-Ve spodní části můžete pozorovat současnou podobu Kaplana, jiný význam to nemá"),
      body(75, 310, "-Pozastavíte jí klávesou \"P\" popřípadě mezerníkem")}},
    {"info5",
     440,
     "Ironkeel - Gubbinz vol.1",
     {body(75, 150, "Programming, gamedesign: Brokvin (Lantern Hall)"),
      body(75, 210, "Betatesting, gamedesign: Kelp, Varnix, Opuntia, brumla, Hvozda, Quill, SlowHeron"),
      body(75, 270, "Děkuji všem spolupracovníkům a testerům za jejich drahocenný čas, zejména pak"),
      body(75, 390, "Těším se na shledání u Ironkeel - Gubbinz vol.2, kde nahlédneme pod povrch"),
      body(75, 410, "druhé poloviny jednoho z nejlepších sitcomů všech dob.")}},
};

using PagesRun = TestPicturesRun;

TEST_F(PagesRun, EachPageShowsItsTitleAndBodyOverTheMenuStrip) {
    storeScores(
        "[game1]\nscore=200\nverify=42\n[game2]\nscore=5000\nverify=842\n[game3]\nscore=90000\nverify=15011\n"
        "[Settings]\nVolume=9\n");
    std::string script = "key Return\nframes 1\n";
    for (const PageCase& page : kPages)
        script += "move 710 " + std::to_string(page.pointerY) + "\nclick\nframes 2\nshot " + page.screen +
                  ".png\nstate " + page.screen + ".json\nkey Escape\nframes 1\n";
    const Outcome outcome = run(script);
    ASSERT_EQ(outcome.status, 0) << outcome.errors;

    // Below y = 50 the menu picture; the band from 50 to 549 is its left strip.
    auto pageBackdrop = [](int x, int y) { return y >= 50 && y < 550 ? kMenuStrip : menuPicture(x, y); };
    for (const PageCase& page : kPages) {
        SCOPED_TRACE(page.screen);
        EXPECT_EQ(state(std::string(page.screen) + ".json")["screen"], page.screen);
        const Frame frame = shot(std::string(page.screen) + ".png");
        EXPECT_EQ(textMismatches(frame, {75, 90, "Arial", 15, true, clGray, page.title}, pageBackdrop), 0);
        EXPECT_EQ(textMismatches(frame, {505, 520, "Arial", 15, true, clGray, "Pokračujte klávesou ESC"}, pageBackdrop),
                  0);
        for (const ExpectedText& line : page.lines)
            EXPECT_EQ(textMismatches(frame, line, pageBackdrop), 0) << line.text;
        EXPECT_EQ(
            textMismatches(frame, {3, 3, "Arial", 10, true, clGray, "Hlasitost hudby: 9 (klávesy +/-)"}, menuPicture),
            0);
        // The grey outline (50, 50)-(750, 550) with the band showing inside and out.
        for (const auto& [x, y] : std::vector<std::pair<int, int>>{{50, 300}, {749, 300}, {400, 50}, {400, 549}})
            EXPECT_EQ(frame.at(x, y), toRgb565(clGray)) << x << ", " << y;
        for (const auto& [x, y] :
             std::vector<std::pair<int, int>>{{51, 300}, {748, 300}, {30, 300}, {770, 300}, {400, 60}})
            EXPECT_EQ(frame.at(x, y), toRgb565(kMenuStrip)) << x << ", " << y;
        EXPECT_EQ(frame.at(450, 45), toRgb565(kMenuBackground)) << "above the band";
        EXPECT_EQ(countColour(frame, 0, 0, 800, 600, kArrow), 0) << "no pointer picture on a page";
        EXPECT_EQ(countColour(frame, 0, 0, 800, 600, kButtonNormal) + countColour(frame, 0, 0, 800, 600, kButtonLit), 0)
            << "the band covers the menu's buttons";
    }
}

TEST_F(PagesRun, VolumeAndDifficultyKeysShowOnThePageAtOnce) {
    storeScores("[Settings]\nVolume=20\n");
    const Outcome outcome =
        run("key Return\nframes 1\nmove 710 172\nclick\nframes 1\nkey minus\nkey e\nframes 1\n"
            "shot page.png\nstate page.json\n");
    ASSERT_EQ(outcome.status, 0) << outcome.errors;
    EXPECT_EQ(state("page.json")["volume"], 19);
    const Frame frame = shot("page.png");
    EXPECT_EQ(
        textMismatches(frame, {3, 3, "Arial", 10, true, clGray, "Hlasitost hudby: 19 (klávesy +/-)"}, menuPicture), 0);
    EXPECT_EQ(textMismatches(frame, {210, 3, "Arial", 10, true, clGray, "Obtížnost: Lehká (klávesa E)"}, menuPicture),
              0);
    EXPECT_EQ(storedScores(), "[Settings]\nVolume=19\nEasyMode=1\n");
}

}  // namespace
}  // namespace ik::test
