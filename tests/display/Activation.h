// Activation on the headless platform, delivered as the loop delivers it.
#pragma once

#include "platform/headless/HeadlessPlatform.h"
#include "tests/support/RecordingSink.h"

namespace ik::test {

// Delivers a change of activation through one loop pass.
inline void SetActive(HeadlessPlatform& platform, bool active) {
    RecordingSink sink;
    platform.queueActivate(active);
    platform.pump(sink, [] { return true; });
}

}  // namespace ik::test
