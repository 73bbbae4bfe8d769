#include "screens/MenuParts.h"

#include <string>

#include "app/Form.h"
#include "assets/PictureCollection.h"
#include "display/Canvas.h"
#include "display/DXDraw.h"

namespace ik {

void drawStatusLine(TDirectDrawSurfaceCanvas& canvas, int32_t volume, bool easyMode) {
    canvas.Brush.Color = clBlack;
    canvas.Brush.Style = bsClear;
    canvas.Font.Name = "Arial";
    canvas.Font.Size = 10;
    canvas.Font.Style = 0;
    canvas.Font.Color = clGray;
    canvas.TextOut(733, 3, "verze 1.03");
    canvas.Font.Style = fsBold;
    canvas.TextOut(3, 3, "Hlasitost hudby: " + std::to_string(volume) + " (klávesy +/-)");
    canvas.TextOut(205, 3, "|");
    canvas.TextOut(210, 3, easyMode ? "Obtížnost: Lehká (klávesa E)" : "Obtížnost: Těžká (klávesa E)");
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
