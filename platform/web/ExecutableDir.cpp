#include "platform/SystemPaths.h"

namespace ik {

// The site's own files (the faces, the catalogues, the data files) are
// preloaded into this folder of the page's file system, as if the program
// had been unpacked there.
std::string executableDir() { return "/game"; }

}  // namespace ik
