// Fields of episode 2 ("Den s Vorlagem"), inherited by TForm1 so that they keep
// their plain names.
#pragma once

#include <cstdint>
#include <memory>

namespace ik {

class TDirectDrawSurface;

struct Episode2Fields {
    Episode2Fields();
    ~Episode2Fields();
    Episode2Fields(const Episode2Fields&) = delete;
    Episode2Fields& operator=(const Episode2Fields&) = delete;

    int32_t meter1 = 0;
    int32_t meter2 = 0;
    int32_t meter3 = 0;
    int32_t grey_line = 100;
    bool all_past_grey = false;
    // Made once, at the first start of the episode, and reused by later starts.
    std::unique_ptr<TDirectDrawSurface> ep2_meter_surface;
    // The bars' picture is in ep2_meter_surface since this start of the episode.
    bool ep2_meter_loaded = false;
};

}  // namespace ik
