// What the main menu and the information pages draw alike: the status line at
// the top and the two dotted rows that scroll in opposite directions.
#pragma once

#include <cstdint>

namespace ik {

class TForm1;
class TDirectDrawSurfaceCanvas;
class Translator;

// Version, music volume and difficulty on a transparent background, and in a
// language other than the original's Czech the key that changes it. Leaves
// the brush clear and the font at Arial 10 bold grey.
void drawStatusLine(TDirectDrawSurfaceCanvas& canvas, const Translator& translator, int32_t volume, bool easyMode);

// The upper row moves one pixel left and the lower row one pixel right per
// call; both repeat every ten calls.
void drawDottedRows(TForm1& form);

}  // namespace ik
