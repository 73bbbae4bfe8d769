#include "screens/MenuParts.h"

#include <string>

#include "app/Form.h"
#include "app/Translator.h"
#include "assets/PictureCollection.h"
#include "display/Canvas.h"
#include "display/DXDraw.h"

namespace ik {

void drawStatusLine(TDirectDrawSurfaceCanvas& canvas, const Translator& translator, int32_t volume, bool easyMode) {
    canvas.Brush.Color = clBlack;
    canvas.Brush.Style = bsClear;
    canvas.Font.Name = "Arial";
    canvas.Font.Size = 10;
    canvas.Font.Style = 0;
    canvas.Font.Color = clGray;
    canvas.TextOut(733, 3, translator.tr("verze 1.03"));
    canvas.Font.Style = fsBold;
    canvas.TextOut(3, 3, translator.trf("Hlasitost hudby: %d (klávesy +/-)", {std::to_string(volume)}));
    canvas.TextOut(205, 3, "|");
    const std::string difficulty =
        easyMode ? translator.tr("Obtížnost: Lehká (klávesa E)") : translator.tr("Obtížnost: Těžká (klávesa E)");
    canvas.TextOut(210, 3, difficulty);
    // The original's menu has no language key; a player who reads only Czech
    // has no use for it, and one who chose another language finds the way back.
    if (translator.original()) return;
    const int end = 210 + canvas.TextWidth(difficulty);
    canvas.TextOut(end + 5, 3, "|");
    canvas.TextOut(end + 10, 3, translator.tr("Jazyk: čeština (klávesa L)"));
}

void drawDottedRows(TForm1& form) {
    TDirectDrawSurface& back = form.DXDraw1->Surface();
    TPictureCollectionItem& dot = form.DXImageList1->Items.Find("dot");
    for (int k = -1; k <= 80; ++k) {
        dot.DrawPattern(back, 10 * k - form.dot_shift, 30, 0);
        dot.DrawPattern(back, 10 * k + form.dot_shift, 565, 0);
    }
    if (++form.dot_shift > 9) form.dot_shift = 0;
}

}  // namespace ik
