#include "display/DXDrawOptions.h"

namespace ik {

TDXDrawOptions effectiveOptions(TDXDrawOptions requested) {
    TDXDrawOptions now = requested;
    if (!requested.Has(doFullScreen)) {
        // Cooperation flags and flipping belong to the exclusive mode.
        for (TDXDrawOption o : {doNoWindowChange, doAllowReboot, doAllowPalette256, doFlip}) now.Exclude(o);
    }
    if (!requested.Has(do3D)) {
        for (TDXDrawOption o : {doDirectX7Mode, doRetainedMode, doHardware, doSelectDriver, doZBuffer}) {
            now.Exclude(o);
        }
    }
    if (now.Has(doSystemMemory)) now.Exclude(doFlip);
    if (now.Has(doDirectX7Mode)) now.Exclude(doRetainedMode);
    now.Exclude(doHardware);
    return now;
}

}  // namespace ik
