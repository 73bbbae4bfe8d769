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
    translatable("Kuchařské zkoušky"),
    {
        {75, 150, translatable("-Cílem hry je pekáčem (myš) sbírat potřebné suroviny a vyhýbat se nepotřebným")},
        {75, 170, translatable("-Pro lepší přehlednost jsou potřebné suroviny zelené a nepotřebné červené")},
        {75, 190,
         translatable("-Za správnou získáte bod, za špatnou příjdete o život a přibude vám jeden trestný bod")},
        {75, 210, translatable("-Za nesebranou potřebnou surovinu ztrácíte život")},
        {75, 230,
         translatable("-Za každých 10 trestných se zrychlí hra. Trest trvá do sebrání libovolných pěti surovin.")},
        {75, 250, translatable("-Za kladné body získáváte naopak bonusy (všechny platí do sebrání deseti surovin)")},
        {100, 270, translatable("-za 50, 150, 250, atd. získáte zpomalení hry")},
        {100, 290, translatable("-za 75, 175, 275, atd. získáte volný pohyb")},
        {100, 310, translatable("-za 100, 200, 300, atd. získáte 10 životů a chvíli padají jen potřebné suroviny")},
        {75, 330, translatable("-Hru můžete kdykoli vzdát klávesou \"R\"")},
        {75, 350, translatable("-Pozastavíte jí klávesou \"P\" popřípadě mezerníkem")},
    }};

const InfoPage kRulesOfEpisode2{
    translatable("Den s Vorlagem"),
    {
        {75, 150, translatable("-Cílem hry je dostat všechny postavy do práce (nad bílou čáru)")},
        {75, 170, translatable("-Hra se ovládá klávesami 1,2,3, popřípadě X,C,V")},
        {75, 190, translatable("-Body se přidělují podle času, za který byli všichni do práce dohnáni")},
        {75, 210, translatable("-Když všichni překročí šedou čáru, nesmí se již nikdo z nich dostat na nulu")},
        {75, 230, translatable("-Když netlačíte postavu do práce, začne odpočívat")},
        {75, 250, translatable("-Největší odpor k práci má Pavian, nejmenší Dorner")},
        {75, 270, translatable("-Nelze nutit do práce více lidí najednou")},
        {75, 290, translatable("-Hru můžete kdykoli vzdát klávesou \"R\"")},
        {75, 310, translatable("-Pozastavíte jí klávesou \"P\" popřípadě mezerníkem")},
    }};

const InfoPage kRulesOfEpisode3{
    translatable("L´Armée du Nord"),
    {
        {75, 150, translatable("-Cílem hry je živit oheň vojáčky z kafrového dřeva")},
        {75, 170, translatable("-Myší zaměřujete, vojáček je vystřelen kliknutím")},
        {75, 190, translatable("-Vystřelen může být vždy jen jeden vojáček")},
        {75, 210, translatable("-S rostoucí obtížností roste i rychlost ohně a snižuje se rychlost vojáčka")},
        {75, 230, translatable("-Oheň s přikládáním roste (rozpětí 0-100)")},
        {75, 250, translatable("-Po dosažení horní hranice postupujete na vyšší level")},
        {75, 270, translatable("-Pokud oheň vyhasne, hra končí")},
        {75, 290, translatable("-Hru můžete kdykoli vzdát klávesou \"R\"")},
        {75, 310, translatable("-Pozastavíte jí klávesou \"P\" popřípadě mezerníkem")},
    }};

const InfoPage kRulesOfEpisode4{
    translatable("Transmogrifikace"),
    {
        {75, 150, translatable("-Cílem hry je přepisovat kódy na modifikátoru DNA")},
        {75, 170, translatable("-Hra se hraje na jakýchkoli číselných klávesách")},
        {75, 190, translatable("-Na opsání kódu máte limit 3-5 sekund (podle levelu)")},
        {75, 210, translatable("-Pokud to nestihnete, nebo se překlepnete, příjdete o jeden život")},
        {75, 230, translatable("-Na obrazovce se žlutě zvýrazňují již opsaná čísla")},
        {75, 250, translatable("-Po ztrátě života přepisujete tentýž kód znovu")},
        {75, 270, translatable("-Ve spodní části můžete pozorovat současnou podobu Kaplana, jiný význam to nemá")},
        {75, 290, translatable("-Hru můžete kdykoli vzdát klávesou \"R\"")},
        {75, 310, translatable("-Pozastavíte jí klávesou \"P\" popřípadě mezerníkem")},
    }};

const InfoPage kCredits{
    translatable("Ironkeel - Gubbinz vol.1"),
    {
        {75, 150, translatable("Programming, gamedesign: Brokvin (Lantern Hall)")},
        {75, 170, translatable("Grafika: Zubrik (Kresbar)")},
        {75, 190, translatable("Hudba: Fagot41")},
        {75, 210, translatable("Betatesting, gamedesign: Kelp, Varnix, Opuntia, brumla, Hvozda, Quill, SlowHeron")},
        {75, 270, translatable("Děkuji všem spolupracovníkům a testerům za jejich drahocenný čas, zejména pak")},
        {75, 290, translatable("Zubrikovi za výtečnou herní grafiku a Fagotovi41 za hudbu v duchu osmibitů.")},
        {75, 330, translatable("V neposlední řadě pak děkuji testerům za všímavé oko při hledání chyb a skvělé")},
        {75, 350, translatable("nápady, které mě inspirovaly ke konečné podobě jednotlivých miniher.")},
        {75, 390, translatable("Těším se na shledání u Ironkeel - Gubbinz vol.2, kde nahlédneme pod povrch")},
        {75, 410, translatable("druhé poloviny jednoho z nejlepších sitcomů všech dob.")},
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
    drawStatusLine(canvas, form.translator, form.volume, form.easy_mode);
    canvas.Pen.Color = clGray;
    canvas.Rectangle(50, 50, 750, 550);
    canvas.Font.Name = "Arial";
    canvas.Font.Size = 15;
    canvas.Font.Style = fsBold;
    canvas.Font.Color = clGray;
    canvas.TextOut(75, 90, form.translator.tr(page.title));
    canvas.TextOut(505, 520, form.translator.tr("Pokračujte klávesou ESC"));
    canvas.Font.Size = 12;
    canvas.Font.Color = clWhite;
    for (const PageLine& line : page.body) canvas.TextOut(line.x, line.y, form.translator.tr(line.text));
    canvas.Release();
}

}  // namespace

void TForm1::info1() { drawInfoPage(*this, kRulesOfEpisode1); }
void TForm1::info2() { drawInfoPage(*this, kRulesOfEpisode2); }
void TForm1::info3() { drawInfoPage(*this, kRulesOfEpisode3); }
void TForm1::info4() { drawInfoPage(*this, kRulesOfEpisode4); }
void TForm1::info5() { drawInfoPage(*this, kCredits); }

}  // namespace ik
