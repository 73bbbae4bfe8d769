#include "display/Drawing.h"
#include "display/Exception.h"

namespace ik {

void LoadFromGraphic(TDirectDrawSurface& surface, const RgbImage& image) {
    LoadFromGraphic(surface, image, Bounds(0, 0, image.width, image.height), false);
}

void LoadFromGraphic(TDirectDrawSurface& surface, const RgbImage& image, const TRect& area, bool systemMemory) {
    const bool consistent =
        !image.Empty() && image.pixels.size() == static_cast<size_t>(image.width) * static_cast<size_t>(image.height);
    if (!consistent || area.Empty() || area.Left < 0 || area.Top < 0 || area.Right > image.width ||
        area.Bottom > image.height) {
        throw Exception(Format("%s cannot be made", "Surface"));
    }
    surface.SetSize(area.Width(), area.Height(), systemMemory);
    for (int y = 0; y < area.Height(); ++y) {
        uint16_t* row = surface.Row(y);
        for (int x = 0; x < area.Width(); ++x) {
            row[x] = toRgb565(image.At(area.Left + x, area.Top + y));
        }
    }
    surface.SetColorKey(0);
}

}  // namespace ik
