// The wall clock's local time of day, the one place the window backend reads
// it from the system. Each operating system implements it in its own folder.
#pragma once

#include <cstdint>

namespace ik {

// Milliseconds since local midnight.
uint32_t localTimeOfDayMs();

}  // namespace ik
