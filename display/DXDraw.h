// The display: the 800 x 600 x 16 back buffer the game draws into, presented
// through the platform, the 2D renderer of blended drawing, and the
// notifications that keep the picture surfaces in step with it.
#pragma once

#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "display/D2D.h"
#include "display/DXDrawOptions.h"
#include "display/Surface.h"
#include "platform/Platform.h"

namespace ik {

// What subscribers are told. The numbers are fixed; the order in which they
// arrive follows the lifecycle (1, 7, 2, 3, 6 on the way up, 5, 4 down).
enum class DisplayNotification {
    Destroying = 0,
    Initializing = 1,
    Initialized = 2,
    SurfaceInitialized = 3,
    Finalized = 4,
    SurfaceFinalized = 5,
    SurfacesRestored = 6,
    SurfaceSizeSet = 7,
};

class TDXDraw;
using DisplayListener = std::function<void(TDXDraw&, DisplayNotification)>;

// The screen mode asked for in full screen; the only one the platform shows.
struct TDXDrawDisplay {
    int Width = kDisplayWidth;
    int Height = kDisplayHeight;
    int BitCount = 16;
};

class TDXDraw {
public:
    explicit TDXDraw(Platform& platform);
    ~TDXDraw();
    TDXDraw(const TDXDraw&) = delete;
    TDXDraw& operator=(const TDXDraw&) = delete;

    TDXDrawOptions Options() const { return options_; }
    // Assigned before initialisation, the effective set follows at once.
    void SetOptions(TDXDrawOptions options);
    TDXDrawOptions NowOptions() const { return nowOptions_; }
    TDXDrawDisplay Display;

    // Starts clean (finalises first). Fails with "Display mode cannot be
    // changed (...)" for a mode other than 800 x 600 x 16 in full screen and
    // with "Primary Surface cannot be made" when the buffers cannot exist;
    // the display then stays finalised.
    void Initialize();
    void Finalize();
    bool Initialized() const { return initialized_; }

    // Initialised, not busy, and the surfaces usable: lost surfaces are
    // restored (cleared to black, subscribers told) on the way.
    bool CanDraw();
    // Presents the back buffer while the application is active. Afterwards
    // the back buffer holds the frame shown before, as in a two-buffer flip.
    void Flip();
    // The frame presented last (800 x 600), empty before the first: the
    // front buffer holds it until the buffers are cleared or given back, and
    // only then is it copied aside, so that a run keeps it for its end without
    // a copy of every frame.
    std::span<const uint16_t> ShownFrame() const;
    void BeginScene2D();
    void EndScene2D();
    bool SceneOpen() const { return sceneOpen_; }

    TDirectDrawSurface& Surface() { return back_; }
    TDirectDrawSurface& BackSurface() { return back_; }
    TDirectDrawSurface& PrimarySurface() { return primary_; }
    // The renderer of the 3D path; exists while initialised.
    TD2D* D2D() { return d2d_.get(); }

    // A new subscriber hears SurfaceSizeSet at once and, on an initialised
    // display, Initialized, SurfaceInitialized and SurfacesRestored.
    int RegisterNotifyEvent(DisplayListener listener);
    // Sends SurfaceFinalized and Finalized to it when they apply.
    void UnRegisterNotifyEvent(int id);

    // The platform took the buffers away (a render reset).
    void markSurfacesLost();

    std::function<void()> OnInitializing;
    std::function<void()> OnInitialize;
    std::function<void()> OnInitializeSurface;
    std::function<void()> OnFinalize;
    std::function<void()> OnFinalizeSurface;
    std::function<void()> OnRestoreSurface;

private:
    struct Subscriber {
        int id;
        DisplayListener listener;
    };

    void notify(DisplayNotification n);
    void notifyOne(int id, DisplayNotification n);
    void createSurfaces();
    void releaseAll();
    bool restoreSurfaces();
    bool surfacesUsable();
    void keepShownFrame();

    Platform& platform_;
    TDXDrawOptions options_ = kGameDrawOptions;
    TDXDrawOptions nowOptions_;
    bool initialized_ = false;
    bool initializing_ = false;
    bool busy_ = false;
    bool surfaceInitialized_ = false;
    bool sceneOpen_ = false;
    TDirectDrawSurface primary_;
    TDirectDrawSurface back_;
    std::unique_ptr<TD2D> d2d_;
    bool shownInPrimary_ = false;
    std::vector<uint16_t> shownKept_;
    std::vector<Subscriber> subscribers_;
    int nextId_ = 1;
};

}  // namespace ik
