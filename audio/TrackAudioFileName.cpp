#include "audio/TrackPlayerLibrary.h"

namespace ik {

std::string trackAudioFileName() { return dynamicLibraryFileName("trackaudio"); }

}  // namespace ik
