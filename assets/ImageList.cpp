#include "assets/PictureCollection.h"
#include "display/DXDraw.h"

namespace ik {

TDXImageList::~TDXImageList() { SetDXDraw(nullptr); }

void TDXImageList::SetDXDraw(TDXDraw* display) {
    if (display == display_) return;
    if (display_) {
        display_->UnRegisterNotifyEvent(subscription_);
        Items.ReleaseSurfaces();
    }
    display_ = display;
    subscription_ = 0;
    if (!display_) return;
    subscription_ = display_->RegisterNotifyEvent([this](TDXDraw& from, DisplayNotification notification) {
        switch (notification) {
            case DisplayNotification::Destroying:
                Items.Unbind();
                display_ = nullptr;
                break;
            case DisplayNotification::Initialized:
                Items.BindDisplay(from);
                break;
            case DisplayNotification::Finalized:
                Items.ReleaseSurfaces();
                break;
            case DisplayNotification::SurfacesRestored:
                Items.RebuildSurfaces();
                break;
            default:
                break;
        }
    });
}

}  // namespace ik
