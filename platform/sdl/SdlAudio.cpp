#include "platform/sdl/SdlAudio.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

namespace ik {

namespace {

class SdlAudioDevice : public AudioDevice {
public:
    SdlAudioDevice(int channels, AudioCallback callback) : channels_(channels), callback_(std::move(callback)) {}

    ~SdlAudioDevice() override {
        if (id_ != 0) SDL_CloseAudioDevice(id_);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    bool open(const AudioFormat& format) {
        SDL_AudioSpec wanted{};
        wanted.freq = format.rate;
        wanted.format = AUDIO_S16SYS;
        wanted.channels = static_cast<Uint8>(format.channels);
        wanted.samples = static_cast<Uint16>(sdlBufferFrames(format.bufferFrames));
        wanted.callback = &SdlAudioDevice::fill;
        wanted.userdata = this;
        SDL_AudioSpec obtained{};
        // No changes allowed: SDL converts, so the callback always gets the
        // format it asked for.
        id_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
        return id_ != 0;
    }

    void pause(bool paused) override { SDL_PauseAudioDevice(id_, paused ? 1 : 0); }
    void lock() override { SDL_LockAudioDevice(id_); }
    void unlock() override { SDL_UnlockAudioDevice(id_); }
    // SDL stops a device that went away (unplugged, sound server gone).
    bool alive() const override { return SDL_GetAudioDeviceStatus(id_) != SDL_AUDIO_STOPPED; }

private:
    static void SDLCALL fill(void* self, Uint8* stream, int bytes) {
        auto* device = static_cast<SdlAudioDevice*>(self);
        std::memset(stream, 0, static_cast<size_t>(bytes));
        const int bytesPerFrame = static_cast<int>(sizeof(int16_t)) * device->channels_;
        device->callback_(reinterpret_cast<int16_t*>(stream), bytes / bytesPerFrame);
    }

    const int channels_;
    const AudioCallback callback_;
    SDL_AudioDeviceID id_ = 0;
};

}  // namespace

int sdlBufferFrames(int requested) { return requested <= 512 ? 512 : 1024; }

std::unique_ptr<AudioDevice> openSdlAudio(const AudioFormat& format, AudioCallback callback) {
    if (format.rate <= 0 || format.channels <= 0 || format.channels > 8 || !callback) return nullptr;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
    // The device owns one reference to the audio subsystem from here on.
    auto device = std::make_unique<SdlAudioDevice>(format.channels, std::move(callback));
    if (!device->open(format)) return nullptr;
    return device;
}

}  // namespace ik
