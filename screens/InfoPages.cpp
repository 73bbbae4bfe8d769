// The rules of the four episodes and the credits: five static pages that share
// one layout over a band of the menu picture and differ only in their texts.
#include <string>
#include <vector>

#include "app/Form.h"
#include "assets/PictureCollection.h"
#include "display/Canvas.h"
#include "display/DXDraw.h"
#include "display/Drawing.h"
#include "screens/MenuParts.h"

namespace ik {

namespace {

struct PageLine {
    int x;
    int y;
    const char* text;
};

struct InfoPage {
    const char* title;
    std::vector<PageLine> body;
};

const InfoPage kRulesOfEpisode1{
    "Kuchařské zkoušky",
    {
        {75, 150, "-Cílem hry je pekáčem (myš) sbírat potřebné suroviny a vyhýbat se nepotřebným"},
        {75, 170, "-Pro lepší přehlednost jsou potřebné suroviny zelené a nepotřebné červené"},
        {75, 190, "-Za správnou získáte bod, za špatnou příjdete o život a přibude vám jeden trestný bod"},
        {75, 210, "-Za nesebranou potřebnou surovinu ztrácíte život"},
        {75, 230, "-Za každých 10 trestných se zrychlí hra. Trest trvá do sebrání libovolných pěti surovin."},
        {75, 250, "-Za kladné body získáváte naopak bonusy (všechny platí do sebrání deseti surovin)"},
        {100, 270, "-za 50, 150, 250, atd. získáte zpomalení hry"},
        {100, 290, "-za 75, 175, 275, atd. získáte volný pohyb"},
        {100, 310, "-za 100, 200, 300, atd. získáte 10 životů a chvíli padají jen potřebné suroviny"},
        {75, 330, "-Hru můžete kdykoli vzdát klávesou \"R\""},
        {75, 350, "-Pozastavíte jí klávesou \"P\" popřípadě mezerníkem"},
    }};

const InfoPage kRulesOfEpisode2{
    "Den s Vorlagem",
    {
        {75, 150, "-Cílem hry je dostat všechny postavy do práce (nad bílou čáru)"},
        {75, 170, "-Hra se ovládá klávesami 1,2,3, popřípadě X,C,V"},
        {75, 190, "-Body se přidělují podle času, za který byli všichni do práce dohnáni"},
        {75, 210, "-Když všichni překročí šedou čáru, nesmí se již nikdo z nich dostat na nulu"},
        {75, 230, "-Když netlačíte postavu do práce, začne odpočívat"},
        {75, 250, "-Největší odpor k práci má Pavian, nejmenší Dorner"},
        {75, 270, "-Nelze nutit do práce více lidí najednou"},
        {75, 290, "-Hru můžete kdykoli vzdát klávesou \"R\""},
        {75, 310, "-Pozastavíte jí klávesou \"P\" popřípadě mezerníkem"},
    }};

const InfoPage kRulesOfEpisode3{
    "L´Armée du Nord",
    {
        {75, 150, "-Cílem hry je živit oheň vojáčky z kafrového dřeva"},
        {75, 170, "-Myší zaměřujete, vojáček je vystřelen kliknutím"},
        {75, 190, "-Vystřelen může být vždy jen jeden vojáček"},
        {75, 210, "-S rostoucí obtížností roste i rychlost ohně a snižuje se rychlost vojáčka"},
        {75, 230, "-Oheň s přikládáním roste (rozpětí 0-100)"},
        {75, 250, "-Po dosažení horní hranice postupujete na vyšší level"},
        {75, 270, "-Pokud oheň vyhasne, hra končí"},
        {75, 290, "-Hru můžete kdykoli vzdát klávesou \"R\""},
        {75, 310, "-Pozastavíte jí klávesou \"P\" popřípadě mezerníkem"},
    }};

const InfoPage kRulesOfEpisode4{
    "Transmogrifikace",
    {
        {75, 150, "-Cílem hry je přepisovat kódy na modifikátoru DNA"},
        {75, 170, "-Hra se hraje na jakýchkoli číselných klávesách"},
        {75, 190, "-Na opsání kódu máte limit 3-5 sekund (podle levelu)"},
        {75, 210, "-Pokud to nestihnete, nebo se překlepnete, příjdete o jeden život"},
        {75, 230, "-Na obrazovce se žlutě zvýrazňují již opsaná čísla"},
        {75, 250, "-Po ztrátě života přepisujete tentýž kód znovu"},
        {75, 270, "-Ve spodní části můžete pozorovat současnou podobu Kaplana, jiný význam to nemá"},
        {75, 290, "-Hru můžete kdykoli vzdát klávesou \"R\""},
        {75, 310, "-Pozastavíte jí klávesou \"P\" popřípadě mezerníkem"},
    }};

const InfoPage kCredits{
    "Ironkeel - Gubbinz vol.1",
    {
        {75, 150, "Programming, gamedesign: Brokvin (Lantern Hall)"},
        {75, 170, "Grafika: Zubrik (Kresbar)"},
        {75, 190, "Hudba: Fagot41"},
        {75, 210, "Betatesting, gamedesign: Kelp, Varnix, Opuntia, brumla, Hvozda, Quill, SlowHeron"},
        {75, 270, "Děkuji všem spolupracovníkům a testerům za jejich drahocenný čas, zejména pak"},
        {75, 290, "Zubrikovi za výtečnou herní grafiku a Fagotovi41 za hudbu v duchu osmibitů."},
        {75, 330, "V neposlední řadě pak děkuji testerům za všímavé oko při hledání chyb a skvělé"},
        {75, 350, "nápady, které mě inspirovaly ke konečné podobě jednotlivých miniher."},
        {75, 390, "Těším se na shledání u Ironkeel - Gubbinz vol.2, kde nahlédneme pod povrch"},
        {75, 410, "druhé poloviny jednoho z nejlepších sitcomů všech dob."},
    }};

void drawInfoPage(TForm1& form, const InfoPage& page) {
    TDirectDrawSurface& back = form.DXDraw1->Surface();
    form.DXImageList1->Items.Find("main_menu").DrawPattern(back, 0, 0, 0);
    form.playmusic(62.83, 75);
    // The leftmost strip of the menu picture, eight times side by side,
    // covers the menu's buttons from y = 50 to 549.
    if (form.menu_backdrop) {
        for (int i = 0; i <= 7; ++i) BlitSurface(back, 100 * i, 50, TRect{0, 50, 100, 550}, 0, *form.menu_backdrop);
    }
    drawDottedRows(form);
    TDirectDrawSurfaceCanvas& canvas = back.Canvas();
    drawStatusLine(canvas, form.volume, form.easy_mode);
    canvas.Pen.Color = clGray;
    canvas.Rectangle(50, 50, 750, 550);
    canvas.Font.Name = "Arial";
    canvas.Font.Size = 15;
    canvas.Font.Style = fsBold;
    canvas.Font.Color = clGray;
    canvas.TextOut(75, 90, page.title);
    canvas.TextOut(505, 520, "Pokračujte klávesou ESC");
    canvas.Font.Size = 12;
    canvas.Font.Color = clWhite;
    for (const PageLine& line : page.body) canvas.TextOut(line.x, line.y, line.text);
    canvas.Release();
}

}  // namespace

void TForm1::info1() { drawInfoPage(*this, kRulesOfEpisode1); }
void TForm1::info2() { drawInfoPage(*this, kRulesOfEpisode2); }
void TForm1::info3() { drawInfoPage(*this, kRulesOfEpisode3); }
void TForm1::info4() { drawInfoPage(*this, kRulesOfEpisode4); }
void TForm1::info5() { drawInfoPage(*this, kCredits); }

}  // namespace ik
