#include "audio/trackaudio/DeviceOutput.h"

#include <SDL.h>

namespace trackaudio {

namespace {

// A device buffer of 1024 frames keeps the delay from a change of music
// under 25 ms while leaving the callback room on a busy machine.
constexpr Uint16 kDeviceBufferFrames = 1024;

void callback(void* user, Uint8* stream, int length) {
    auto pull = reinterpret_cast<DeviceOutput::Pull>(user);
    pull(reinterpret_cast<int16_t*>(stream), static_cast<std::size_t>(length) / 4);
}

}  // namespace

std::unique_ptr<DeviceOutput> DeviceOutput::open(uint32_t rate, Pull pull) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
    SDL_AudioSpec wanted{};
    wanted.freq = static_cast<int>(rate);
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = kDeviceBufferFrames;
    wanted.callback = callback;
    wanted.userdata = reinterpret_cast<void*>(pull);
    SDL_AudioSpec obtained{};
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    SDL_PauseAudioDevice(device, 0);
    return std::unique_ptr<DeviceOutput>(new DeviceOutput(device, obtained.samples));
}

DeviceOutput::~DeviceOutput() {
    SDL_CloseAudioDevice(device_);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace trackaudio
