// The colour identifiers that colour-valued properties accept in place of a
// number: the sixteen named colours, clNone and the 25 system colours.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "assets/Persistent.h"

namespace ik {

std::span<const IdentEntry> colorIdents();
// Case-insensitive lookup in an identifier table.
std::optional<int32_t> IdentToInt(std::span<const IdentEntry> table, std::string_view name);

}  // namespace ik
