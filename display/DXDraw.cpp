#include "display/DXDraw.h"

#include <string>

#include "display/Drawing.h"
#include "display/Exception.h"

namespace ik {

namespace {
// Clears a flag when the scope ends, also when a subscriber throws.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};

void fire(const std::function<void()>& event) {
    if (event) event();
}
}  // namespace

TDXDraw::TDXDraw(Platform& platform) : platform_(platform), nowOptions_(effectiveOptions(options_)) {}

TDXDraw::~TDXDraw() {
    notify(DisplayNotification::Destroying);
    Finalize();
}

void TDXDraw::SetOptions(TDXDrawOptions options) {
    options_ = options;
    if (!initialized_) nowOptions_ = effectiveOptions(options_);
}

void TDXDraw::Initialize() {
    Finalize();
    {
        FlagScope initializing(initializing_);
        try {
            fire(OnInitializing);
            busy_ = true;
            notify(DisplayNotification::Initializing);
            createSurfaces();
        } catch (...) {
            releaseAll();
            throw;
        }
        busy_ = false;
        initialized_ = true;
        notify(DisplayNotification::SurfaceSizeSet);
        notify(DisplayNotification::Initialized);
        fire(OnInitialize);
        surfaceInitialized_ = true;
        notify(DisplayNotification::SurfaceInitialized);
        fire(OnInitializeSurface);
        if (!d2d_) d2d_ = std::make_unique<TD2D>();
    }
    // The first restore clears both buffers and has every picture uploaded.
    primary_.MarkLost();
    back_.MarkLost();
    restoreSurfaces();
}

void TDXDraw::createSurfaces() {
    if (nowOptions_.Has(doFullScreen) &&
        (Display.Width != kDisplayWidth || Display.Height != kDisplayHeight || Display.BitCount != 16)) {
        throw Exception("Display mode cannot be changed (" + std::to_string(Display.Width) + "x" +
                        std::to_string(Display.Height) + " " + std::to_string(Display.BitCount) + "bit)");
    }
    try {
        primary_.SetSize(kDisplayWidth, kDisplayHeight, nowOptions_.Has(doSystemMemory));
        back_.SetSize(kDisplayWidth, kDisplayHeight, nowOptions_.Has(doSystemMemory));
    } catch (const Exception&) {
        throw Exception(Format("%s cannot be made", "Primary Surface"));
    }
    if (nowOptions_.Has(do3D)) {
        // The software device stands in for the hardware one: the blended
        // result is the same. It is version 7, so no retained mode.
        const bool driverChosen =
            options_.Has(doFullScreen) && options_.Has(doHardware) && !options_.Has(doSystemMemory);
        nowOptions_.Exclude(doRetainedMode)
            .Set(doHardware, options_.Has(doHardware))
            .Set(doSelectDriver, driverChosen && options_.Has(doSelectDriver))
            .Set(doZBuffer, options_.Has(doZBuffer));
    }
}

void TDXDraw::Finalize() {
    if (!initialized_) return;
    {
        FlagScope busy(busy_);
        if (surfaceInitialized_) {
            surfaceInitialized_ = false;
            notify(DisplayNotification::SurfaceFinalized);
            fire(OnFinalizeSurface);
        }
        notify(DisplayNotification::Finalized);
        fire(OnFinalize);
    }
    releaseAll();
}

void TDXDraw::releaseAll() {
    keepShownFrame();
    primary_.Release();
    back_.Release();
    d2d_.reset();
    initialized_ = false;
    busy_ = false;
    surfaceInitialized_ = false;
    sceneOpen_ = false;
    nowOptions_ = effectiveOptions(options_);
}

bool TDXDraw::restoreSurfaces() {
    {
        FlagScope busy(busy_);
        if (primary_.Restore() && back_.Restore()) {
            keepShownFrame();
            FillSurface(primary_, 0);
            FillSurface(back_, 0);
            notify(DisplayNotification::SurfacesRestored);
            fire(OnRestoreSurface);
        }
    }
    return !primary_.IsLost() && !back_.IsLost();
}

bool TDXDraw::surfacesUsable() {
    if (!initialized_ || busy_ || !primary_.Exists()) return false;
    if (!primary_.IsLost() && !back_.IsLost()) return true;
    return restoreSurfaces();
}

bool TDXDraw::CanDraw() { return back_.Exists() && surfacesUsable(); }

void TDXDraw::Flip() {
    if (!surfacesUsable() || !platform_.active()) return;
    platform_.present(back_.Pixels());
    if (nowOptions_.Has(doFlip)) {
        back_.SwapPixels(primary_);
    } else {
        BlitSurface(primary_, 0, 0, Bounds(0, 0, back_.Width(), back_.Height()), 0, back_);
    }
    shownInPrimary_ = true;
    shownKept_.clear();
}

std::span<const uint16_t> TDXDraw::ShownFrame() const {
    if (!shownInPrimary_) return shownKept_;
    return {primary_.Pixels(), static_cast<size_t>(primary_.Width()) * static_cast<size_t>(primary_.Height())};
}

void TDXDraw::keepShownFrame() {
    if (!shownInPrimary_) return;
    const std::span<const uint16_t> shown = ShownFrame();
    shownKept_.assign(shown.begin(), shown.end());
    shownInPrimary_ = false;
}

void TDXDraw::BeginScene2D() {
    if (!options_.Has(do3D) || !d2d_) return;
    sceneOpen_ = true;
    FillSurface(back_, 0);
}

void TDXDraw::EndScene2D() {
    if (!options_.Has(do3D) || !d2d_) return;
    sceneOpen_ = false;
}

int TDXDraw::RegisterNotifyEvent(DisplayListener listener) {
    const int id = nextId_++;
    subscribers_.push_back({id, std::move(listener)});
    notifyOne(id, DisplayNotification::SurfaceSizeSet);
    if (initialized_) {
        notifyOne(id, DisplayNotification::Initialized);
        if (surfaceInitialized_) notifyOne(id, DisplayNotification::SurfaceInitialized);
        if (!initializing_) notifyOne(id, DisplayNotification::SurfacesRestored);
    }
    return id;
}

void TDXDraw::UnRegisterNotifyEvent(int id) {
    if (initialized_) {
        if (surfaceInitialized_) notifyOne(id, DisplayNotification::SurfaceFinalized);
        notifyOne(id, DisplayNotification::Finalized);
    }
    std::erase_if(subscribers_, [id](const Subscriber& s) { return s.id == id; });
}

void TDXDraw::markSurfacesLost() {
    primary_.MarkLost();
    back_.MarkLost();
}

void TDXDraw::notifyOne(int id, DisplayNotification n) {
    for (const Subscriber& s : subscribers_) {
        if (s.id == id) {
            // A copy: the listener may unsubscribe itself.
            DisplayListener listener = s.listener;
            listener(*this, n);
            return;
        }
    }
}

void TDXDraw::notify(DisplayNotification n) {
    std::vector<int> ids;
    for (const Subscriber& s : subscribers_) ids.push_back(s.id);
    for (int id : ids) notifyOne(id, n);
}

}  // namespace ik
