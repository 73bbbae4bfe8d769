#include "platform/LocalTime.h"

#include <ctime>

namespace ik {

uint32_t localTimeOfDayMs() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    localtime_r(&now.tv_sec, &local);
    return static_cast<uint32_t>(((local.tm_hour * 60 + local.tm_min) * 60 + local.tm_sec) * 1000 +
                                 now.tv_nsec / 1'000'000);
}

}  // namespace ik
