#include "display/Surface.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "display/Canvas.h"
#include "display/Exception.h"

namespace ik {

namespace {
[[noreturn]] void cannotMake() { throw Exception(Format("%s cannot be made", "Surface")); }
}  // namespace

TDirectDrawSurface::TDirectDrawSurface() = default;
TDirectDrawSurface::~TDirectDrawSurface() = default;

void TDirectDrawSurface::SetSize(int width, int height, bool systemMemory) {
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide || int64_t{width} * height > kMaxPixels) {
        cannotMake();
    }
    std::vector<uint16_t> pixels;
    try {
        pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    } catch (const std::bad_alloc&) {
        cannotMake();
    }
    pixels_ = std::move(pixels);
    pendingFill_.reset();
    width_ = width;
    height_ = height;
    systemMemory_ = systemMemory;
    colorKey_ = 0;
    lost_ = false;
}

void TDirectDrawSurface::Release() {
    std::vector<uint16_t>().swap(pixels_);
    pendingFill_.reset();
    width_ = 0;
    height_ = 0;
    lockCount_ = 0;
    lost_ = false;
}

uint16_t TDirectDrawSurface::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return Row(y)[x];
}

void TDirectDrawSurface::SetPixel(int x, int y, uint16_t value) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    Row(y)[x] = value;
}

uint16_t* TDirectDrawSurface::Lock() {
    if (!Exists()) {
        throw Exception(Format("%s not made", "IDirectDrawSurface"));
    }
    ++lockCount_;
    return written();
}

void TDirectDrawSurface::Unlock() {
    if (lockCount_ > 0) --lockCount_;
}

bool TDirectDrawSurface::Restore() {
    if (!Exists()) return false;
    lost_ = false;
    return true;
}

TDirectDrawSurfaceCanvas& TDirectDrawSurface::Canvas() {
    if (!canvas_) {
        canvas_ = std::make_unique<TDirectDrawSurfaceCanvas>(*this);
    }
    return *canvas_;
}

void TDirectDrawSurface::SwapPixels(TDirectDrawSurface& other) {
    if (width_ == other.width_ && height_ == other.height_) {
        pixels_.swap(other.pixels_);
        pendingFill_.swap(other.pendingFill_);
    }
}

void TDirectDrawSurface::Fill(uint16_t value) {
    pendingFill_ = value;
    if (lockCount_ > 0) writePendingFill();
}

std::optional<uint16_t> TDirectDrawSurface::TakePendingFill() { return std::exchange(pendingFill_, std::nullopt); }

void TDirectDrawSurface::writePendingFill() const {
    const uint16_t value = *pendingFill_;
    pendingFill_.reset();
    if ((value & 0xFF) == (value >> 8)) {
        std::memset(pixels_.data(), value & 0xFF, pixels_.size() * sizeof(uint16_t));
    } else {
        std::fill(pixels_.begin(), pixels_.end(), value);
    }
}

TDirectDrawSurfaceCanvas& SurfaceCanvas(TDirectDrawSurface& surface) { return surface.Canvas(); }

void ReleaseCanvas(TDirectDrawSurfaceCanvas& canvas) { canvas.Release(); }

}  // namespace ik
