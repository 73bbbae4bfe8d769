// One drawing surface: RGB565 pixels with pitch = width. Video and system
// memory are the same thing here; the flag is kept because callers ask for it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace ik {

class TDirectDrawSurfaceCanvas;

class TDirectDrawSurface {
public:
    TDirectDrawSurface();
    ~TDirectDrawSurface();
    TDirectDrawSurface(const TDirectDrawSurface&) = delete;
    TDirectDrawSurface& operator=(const TDirectDrawSurface&) = delete;

    // Larger surfaces are refused rather than risking the memory of the whole
    // machine on a corrupt picture header.
    static constexpr int kMaxSide = 32768;
    static constexpr int64_t kMaxPixels = int64_t{64} * 1024 * 1024;

    // Makes an off-screen surface of that size, black. Fails with
    // "Surface cannot be made" when no such surface can exist.
    void SetSize(int width, int height, bool systemMemory = false);
    // Gives the pixels back; the surface no longer exists.
    void Release();

    // True once SetSize succeeded: drawing needs the pixels to exist.
    bool Exists() const { return width_ > 0; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int BitCount() const { return Exists() ? 16 : 0; }
    bool SystemMemory() const { return systemMemory_; }

    // Every view of the pixels writes a fill that is still pending first.
    uint16_t* Pixels() { return written(); }
    const uint16_t* Pixels() const { return written(); }
    uint16_t* Row(int y) { return written() + static_cast<size_t>(y) * static_cast<size_t>(width_); }
    const uint16_t* Row(int y) const { return written() + static_cast<size_t>(y) * static_cast<size_t>(width_); }
    // Pixel access for single reads and writes; outside the surface reads 0
    // and writes nothing.
    uint16_t Pixel(int x, int y) const;
    void SetPixel(int x, int y, uint16_t value);

    // Source colour key, a raw pixel value.
    uint16_t ColorKey() const { return colorKey_; }
    void SetColorKey(uint16_t key) { colorKey_ = key; }

    // Nested direct access; fails with "IDirectDrawSurface not made" when the
    // surface does not exist.
    uint16_t* Lock();
    void Unlock();
    int LockCount() const { return lockCount_; }

    // Set once a blit found that this surface needs the clipping blit.
    bool HasClipper() const { return hasClipper_; }
    void SetHasClipper(bool attached) { hasClipper_ = attached; }

    // A lost surface refuses drawing until it is restored; its pixels are
    // whatever was left.
    bool IsLost() const { return lost_; }
    void MarkLost() { lost_ = true; }
    bool Restore();
    // Exists and not lost: blits and fills may touch it.
    bool Usable() const { return Exists() && !lost_; }

    // The canvas bound to this surface, made on first request and kept for
    // the surface's life so that its settings persist.
    TDirectDrawSurfaceCanvas& Canvas();

    // Exchanges the pixels of two surfaces of the same size (a flip).
    void SwapPixels(TDirectDrawSurface& other);

    // Sets every pixel to `value`. A frame is cleared and then mostly covered
    // at once by its background, so the fill waits until a pixel is looked
    // at: a copy that covers the whole surface takes it over instead and
    // writes each pixel once. A locked surface is filled at once, for the
    // pointer its locker holds.
    void Fill(uint16_t value);
    // For a writer about to set every pixel: the fill still pending, given up
    // without being written.
    std::optional<uint16_t> TakePendingFill();

private:
    uint16_t* written() const {
        if (pendingFill_) writePendingFill();
        return pixels_.data();
    }
    void writePendingFill() const;

    int width_ = 0;
    int height_ = 0;
    bool systemMemory_ = false;
    // Mutable for the pending fill, which even a const view writes first.
    mutable std::vector<uint16_t> pixels_;
    mutable std::optional<uint16_t> pendingFill_;
    uint16_t colorKey_ = 0;
    int lockCount_ = 0;
    bool hasClipper_ = false;
    bool lost_ = false;
    std::unique_ptr<TDirectDrawSurfaceCanvas> canvas_;
};

// The canvas of a surface, and the end of a sequence of canvas drawing.
TDirectDrawSurfaceCanvas& SurfaceCanvas(TDirectDrawSurface& surface);
void ReleaseCanvas(TDirectDrawSurfaceCanvas& canvas);

}  // namespace ik
