#include "platform/LocalTime.h"

#include <windows.h>

namespace ik {

uint32_t localTimeOfDayMs() {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    return ((local.wHour * 60u + local.wMinute) * 60u + local.wSecond) * 1000u + local.wMilliseconds;
}

}  // namespace ik
