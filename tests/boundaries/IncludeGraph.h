// Reads the `#include "..."` lines of a source of the tree and finds those
// that reach a folder the source's own folder may not use. Which folder may
// use which is the caller's table: the layers of docs/ARCHITECTURE.md.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tests/boundaries/SourceScanner.h"

namespace ik::test {

// The sources under `folder` ("app", "audio/trackaudio") may include paths
// under the entries of `mayInclude` ("display" allows "display/Rect.h"; an
// entry may also be one header, "audio/TrackAudioApi.h").
struct Layer {
    std::string folder;
    std::vector<std::string> mayInclude;
};

// The violations of the source at `path` (relative to the tree's root, with
// forward slashes) against `layers`; the deepest layer whose folder holds
// the source decides. A quoted include that names no folder, climbs with
// "..", or reaches a folder the layer does not list is one violation, whose
// rule names the include. A source outside every layer has none.
std::vector<Violation> findForbiddenIncludes(const std::vector<Layer>& layers, std::string_view path,
                                             std::string_view source);

}  // namespace ik::test
