#include "platform/Scaling.h"

#include <algorithm>
#include <cstdint>

namespace ik {

namespace {

int wholeFactorThatFits(int width, int height) { return std::min(width / kDisplayWidth, height / kDisplayHeight); }

// Floor division that stays right for negative numerators.
int64_t floorDiv(int64_t numerator, int64_t denominator) {
    int64_t quotient = numerator / denominator;
    if ((numerator % denominator != 0) && ((numerator < 0) != (denominator < 0))) --quotient;
    return quotient;
}

}  // namespace

Viewport fitViewport(int outputWidth, int outputHeight, bool integerScale) {
    Viewport viewport;
    if (outputWidth <= 0 || outputHeight <= 0) return viewport;
    const int factor = wholeFactorThatFits(outputWidth, outputHeight);
    if (factor >= 2 || (integerScale && factor >= 1)) {
        viewport.width = kDisplayWidth * factor;
        viewport.height = kDisplayHeight * factor;
    } else if (int64_t{outputWidth} * kDisplayHeight <= int64_t{outputHeight} * kDisplayWidth) {
        // Narrower than 4:3: full width, bars above and below.
        viewport.width = outputWidth;
        viewport.height = static_cast<int>(int64_t{outputWidth} * kDisplayHeight / kDisplayWidth);
    } else {
        viewport.height = outputHeight;
        viewport.width = static_cast<int>(int64_t{outputHeight} * kDisplayWidth / kDisplayHeight);
    }
    viewport.x = (outputWidth - viewport.width) / 2;
    viewport.y = (outputHeight - viewport.height) / 2;
    return viewport;
}

int defaultWindowScale(int desktopWidth, int desktopHeight) {
    return std::max(1, wholeFactorThatFits(desktopWidth, desktopHeight));
}

Point outputToDisplay(const Viewport& viewport, Point output) {
    if (viewport.width <= 0 || viewport.height <= 0) return {};
    // The display pixel under the output pixel's centre.
    int64_t x = floorDiv((int64_t{output.x - viewport.x} * 2 + 1) * kDisplayWidth, 2 * int64_t{viewport.width});
    int64_t y = floorDiv((int64_t{output.y - viewport.y} * 2 + 1) * kDisplayHeight, 2 * int64_t{viewport.height});
    return {static_cast<int>(std::clamp<int64_t>(x, 0, kDisplayWidth - 1)),
            static_cast<int>(std::clamp<int64_t>(y, 0, kDisplayHeight - 1))};
}

Point displayToOutput(const Viewport& viewport, Point display) {
    int64_t x = viewport.x + (int64_t{display.x} * 2 + 1) * viewport.width / (2 * kDisplayWidth);
    int64_t y = viewport.y + (int64_t{display.y} * 2 + 1) * viewport.height / (2 * kDisplayHeight);
    return {static_cast<int>(x), static_cast<int>(y)};
}

ScaleChoice chooseWindowScale(int requested, int desktopWidth, int desktopHeight) {
    const int fitting = defaultWindowScale(desktopWidth, desktopHeight);
    if (requested <= 0) return {fitting, false};
    if (requested <= fitting) return {requested, false};
    return {fitting, true};
}

Point placeWindow(const Rect& usable, int width, int height, const Rect& frame) {
    const int outerWidth = width + frame.width;
    const int outerHeight = height + frame.height;
    const int left = usable.x + std::max(0, (usable.width - outerWidth) / 2);
    const int top = usable.y + std::max(0, (usable.height - outerHeight) / 2);
    return {left + frame.x, top + frame.y};
}

WindowLayout layOutWindow(int windowWidth, int windowHeight, int outputWidth, int outputHeight, bool integerScale) {
    return {windowWidth, windowHeight, outputWidth, outputHeight, fitViewport(outputWidth, outputHeight, integerScale)};
}

Point windowToDisplay(const WindowLayout& layout, Point window) {
    const int64_t x = int64_t{window.x} * layout.outputWidth / std::max(layout.windowWidth, 1);
    const int64_t y = int64_t{window.y} * layout.outputHeight / std::max(layout.windowHeight, 1);
    return outputToDisplay(layout.viewport, {static_cast<int>(x), static_cast<int>(y)});
}

Point displayToWindow(const WindowLayout& layout, Point display) {
    const Point output = displayToOutput(layout.viewport, display);
    const int64_t x = int64_t{output.x} * layout.windowWidth / std::max(layout.outputWidth, 1);
    const int64_t y = int64_t{output.y} * layout.windowHeight / std::max(layout.outputHeight, 1);
    return {static_cast<int>(x), static_cast<int>(y)};
}

}  // namespace ik
