// The module's instruments: single-cycle chip waves with envelopes, and three
// drums recorded once from the effects synthesiser.
#pragma once

#include <vector>

#include "tools/assetgen/XmWriter.h"

namespace ik::music {

// In the order of the Instrument enumeration of Score.h.
std::vector<xm::Instrument> moduleInstruments();

}  // namespace ik::music
