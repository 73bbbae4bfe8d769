// Audio devices through SDL: 16-bit signed samples in the machine's byte
// order, at the caller's rate and channel count; SDL converts for the sound
// card when it differs.
#pragma once

#include <memory>

#include "platform/Platform.h"

namespace ik {

// Null when SDL has no audio device to give: the game then stays silent.
std::unique_ptr<AudioDevice> openSdlAudio(const AudioFormat& format, AudioCallback callback);

// Short buffers keep effects on time; SDL is asked for 512 or 1024 frames.
int sdlBufferFrames(int requested);

}  // namespace ik
