// The exported TA_* entry points over one process-wide library state.
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "audio/TrackAudioApi.h"
#include "audio/trackaudio/Channel.h"
#include "audio/trackaudio/DeviceOutput.h"
#include "audio/trackaudio/Mixer.h"

namespace trackaudio {
namespace {

constexpr uint32_t kSoundSystemVersion = 9;

struct LibraryState {
    std::mutex mutex;  // the fields below; never held while a channel works
    bool initialised = false;
    bool nullOutput = false;
    bool silentModules = false;
    uint32_t rate = 0;
    MixVolumes volumes;
    std::map<TA_HANDLE, std::shared_ptr<Channel>> channels;
    TA_HANDLE nextHandle = 1;
    std::unique_ptr<DeviceOutput> device;

    std::mutex mixMutex;  // one pull at a time
    Mixer mixer;
};

LibraryState& library() {
    static LibraryState state;
    return state;
}

thread_local int lastError = TA_OK;

template <typename T>
T fail(int code, T result) {
    lastError = code;
    return result;
}

template <typename T>
T succeed(T result) {
    lastError = TA_OK;
    return result;
}

TA_HANDLE newHandleLocked(LibraryState& state) {
    const TA_HANDLE handle = state.nextHandle++;
    if (state.nextHandle == 0) state.nextHandle = 1;
    return handle;
}

std::shared_ptr<Channel> findChannel(TA_HANDLE handle) {
    LibraryState& state = library();
    std::lock_guard lock(state.mutex);
    if (!state.initialised) return fail(TA_ERROR_INIT, nullptr);
    auto found = state.channels.find(handle);
    if (found == state.channels.end()) return fail(TA_ERROR_HANDLE, nullptr);
    return found->second;
}

std::shared_ptr<MusicChannel> findMusic(TA_HANDLE handle) {
    auto music = std::dynamic_pointer_cast<MusicChannel>(findChannel(handle));
    if (!music) lastError = TA_ERROR_HANDLE;
    return music;
}

void pullMix(int16_t* out, std::size_t frames) {
    LibraryState& state = library();
    std::vector<std::shared_ptr<Channel>> playing;
    MixVolumes volumes;
    {
        std::lock_guard lock(state.mutex);
        volumes = state.volumes;
        for (const auto& [handle, channel] : state.channels) {
            const uint32_t activity = channel->activity();
            if (activity == TA_ACTIVE_PLAYING || activity == TA_ACTIVE_STALLED) playing.push_back(channel);
        }
    }
    std::vector<std::shared_ptr<Channel>> ended;
    {
        std::lock_guard lock(state.mixMutex);
        ended = state.mixer.mix(playing, volumes, out, frames);
    }
    for (const auto& channel : ended) channel->fireEndSyncs();
}

bool readFile(const char* path, uint64_t offset, uint32_t length, std::vector<char>& bytes) {
    // The player passes UTF-8; a path made from char8_t is read as UTF-8 on
    // every system, where a narrow one would go through Windows' code page.
    const std::string utf8(path);
    std::ifstream file(std::filesystem::path(std::u8string(utf8.begin(), utf8.end())), std::ios::binary);
    if (!file) return false;
    file.seekg(0, std::ios::end);
    const auto size = static_cast<uint64_t>(file.tellg());
    if (!file || offset > size) return false;
    const uint64_t count = length == 0 ? size - offset : std::min<uint64_t>(length, size - offset);
    bytes.resize(static_cast<std::size_t>(count));
    file.seekg(static_cast<std::streamoff>(offset));
    file.read(bytes.data(), static_cast<std::streamsize>(count));
    return static_cast<bool>(file);
}

TA_BOOL fromCode(int code) { return code == TA_OK ? succeed<TA_BOOL>(1) : fail<TA_BOOL>(code, 0); }

}  // namespace
}  // namespace trackaudio

using namespace trackaudio;

extern "C" {

uint32_t TA_GetVersion(void) { return TA_VERSION; }

TA_BOOL TA_SetConfig(uint32_t option, uint32_t value) {
    LibraryState& state = library();
    std::lock_guard lock(state.mutex);
    switch (option) {
        case TA_CONFIG_VOLUME_SCALE:
            if (value == 0) return fail<TA_BOOL>(TA_ERROR_ILLEGAL_PARAM, 0);
            state.volumes.scale = value;
            break;
        case TA_CONFIG_STREAM_VOLUME:
            state.volumes.stream = value;
            break;
        case TA_CONFIG_MUSIC_VOLUME:
            state.volumes.music = value;
            break;
        case TA_CONFIG_NULL_OUTPUT:
            if (state.initialised) return fail<TA_BOOL>(TA_ERROR_ALREADY, 0);
            state.nullOutput = value != 0;
            break;
        case TA_CONFIG_SILENT_MODULES:
            state.silentModules = value != 0;
            break;
        default:
            return fail<TA_BOOL>(TA_ERROR_ILLEGAL_PARAM, 0);
    }
    return succeed<TA_BOOL>(1);
}

uint32_t TA_GetConfig(uint32_t option) {
    LibraryState& state = library();
    std::lock_guard lock(state.mutex);
    switch (option) {
        case TA_CONFIG_VOLUME_SCALE:
            return succeed(state.volumes.scale);
        case TA_CONFIG_STREAM_VOLUME:
            return succeed(state.volumes.stream);
        case TA_CONFIG_MUSIC_VOLUME:
            return succeed(state.volumes.music);
        case TA_CONFIG_NULL_OUTPUT:
            return succeed<uint32_t>(state.nullOutput ? 1 : 0);
        case TA_CONFIG_SILENT_MODULES:
            return succeed<uint32_t>(state.silentModules ? 1 : 0);
        default:
            return fail<uint32_t>(TA_ERROR_ILLEGAL_PARAM, UINT32_MAX);
    }
}

TA_BOOL TA_Init(int32_t device, uint32_t freq, uint32_t, void*, void*) {
    LibraryState& state = library();
    std::lock_guard lock(state.mutex);
    if (state.initialised) return fail<TA_BOOL>(TA_ERROR_ALREADY, 0);
    if (device < 0 || freq == 0) return fail<TA_BOOL>(TA_ERROR_ILLEGAL_PARAM, 0);
    if (!state.nullOutput) {
        state.device = DeviceOutput::open(freq, pullMix);
        if (!state.device) return fail<TA_BOOL>(TA_ERROR_DEVICE, 0);
    }
    state.rate = freq;
    state.initialised = true;
    return succeed<TA_BOOL>(1);
}

TA_BOOL TA_Free(void) {
    LibraryState& state = library();
    std::unique_ptr<DeviceOutput> device;
    std::map<TA_HANDLE, std::shared_ptr<Channel>> channels;
    {
        std::lock_guard lock(state.mutex);
        if (!state.initialised) return fail<TA_BOOL>(TA_ERROR_INIT, 0);
        device = std::move(state.device);
        channels.swap(state.channels);
        state.initialised = false;
        state.nullOutput = false;
        state.silentModules = false;
    }
    // Closing the device waits for its callback, which takes the state lock.
    device.reset();
    for (auto& [handle, channel] : channels) {
        if (auto stream = std::dynamic_pointer_cast<StreamChannel>(channel)) stream->release();
    }
    return succeed<TA_BOOL>(1);
}

TA_BOOL TA_GetInfo(TA_INFO* info) {
    if (!info || info->size != sizeof(TA_INFO)) return fail<TA_BOOL>(TA_ERROR_ILLEGAL_PARAM, 0);
    LibraryState& state = library();
    std::lock_guard lock(state.mutex);
    if (!state.initialised) return fail<TA_BOOL>(TA_ERROR_INIT, 0);
    std::memset(info, 0, sizeof(TA_INFO));
    info->size = sizeof(TA_INFO);
    info->outputRate = state.rate;
    info->outputChannels = 2;
    info->deviceBufferFrames = state.device ? state.device->bufferFrames() : 0;
    info->latencyMs = info->deviceBufferFrames * 1000 / state.rate;
    info->minBufferMs = info->latencyMs;
    for (const auto& [handle, channel] : state.channels) {
        if (channel->activity() == TA_ACTIVE_PLAYING) ++info->playingChannels;
        if (channel->isModule()) ++info->loadedModules;
        else
            ++info->streams;
    }
    info->soundSystemVersion = kSoundSystemVersion;
    info->nullOutput = state.nullOutput ? 1 : 0;
    return succeed<TA_BOOL>(1);
}

int32_t TA_ErrorGetCode(void) { return lastError; }

TA_HANDLE TA_MusicLoad(TA_BOOL memory, const void* file, uint64_t offset, uint32_t length, uint32_t flags,
                       uint32_t freq) {
    LibraryState& state = library();
    uint32_t rate = 0;
    bool silent = false;
    {
        std::lock_guard lock(state.mutex);
        if (!state.initialised) return fail<TA_HANDLE>(TA_ERROR_INIT, 0);
        rate = freq != 0 ? freq : state.rate;
        silent = state.silentModules;
    }
    if (!file) return fail<TA_HANDLE>(TA_ERROR_ILLEGAL_PARAM, 0);
    std::vector<char> bytes;
    if (memory) {
        const char* start = static_cast<const char*>(file) + offset;
        bytes.assign(start, start + length);
    } else if (!readFile(static_cast<const char*>(file), offset, length, bytes)) {
        return fail<TA_HANDLE>(TA_ERROR_FILEOPEN, 0);
    }
    auto decoder = ModuleDecoder::load(bytes, rate, silent);
    if (!decoder) return fail<TA_HANDLE>(TA_ERROR_FORMAT, 0);
    std::lock_guard lock(state.mutex);
    if (!state.initialised) return fail<TA_HANDLE>(TA_ERROR_INIT, 0);
    const TA_HANDLE handle = newHandleLocked(state);
    state.channels[handle] = std::make_shared<MusicChannel>(handle, std::move(decoder), (flags & TA_MUSIC_DECODE) != 0);
    return succeed(handle);
}

TA_BOOL TA_MusicFree(TA_HANDLE handle) {
    if (!findMusic(handle)) return 0;
    LibraryState& state = library();
    std::lock_guard lock(state.mutex);
    state.channels.erase(handle);
    return succeed<TA_BOOL>(1);
}

uint64_t TA_MusicGetLength(TA_HANDLE handle, TA_BOOL) {
    auto music = findMusic(handle);
    if (!music) return UINT64_MAX;
    return succeed(music->lengthBytes());
}

double TA_ChannelBytes2Seconds(TA_HANDLE handle, uint64_t bytes) {
    auto channel = findChannel(handle);
    if (!channel) return -1.0;
    auto music = std::dynamic_pointer_cast<MusicChannel>(channel);
    const uint32_t rate = music ? music->rate() : library().rate;
    return succeed(static_cast<double>(bytes) / (static_cast<double>(rate) * kBytesPerFrame));
}

TA_BOOL TA_ChannelSetPosition(TA_HANDLE handle, uint64_t position) {
    auto music = findMusic(handle);
    if (!music) return 0;
    return music->setPosition(position) ? succeed<TA_BOOL>(1) : fail<TA_BOOL>(TA_ERROR_POSITION, 0);
}

TA_BOOL TA_ChannelGetInfo(TA_HANDLE handle, TA_CHANNELINFO* info) {
    auto channel = findChannel(handle);
    if (!channel) return 0;
    if (!info) return fail<TA_BOOL>(TA_ERROR_ILLEGAL_PARAM, 0);
    auto music = std::dynamic_pointer_cast<MusicChannel>(channel);
    info->freq = music ? music->rate() : library().rate;
    info->chans = 2;
    info->flags = 0;
    info->kind = music ? 1 : 2;
    return succeed<TA_BOOL>(1);
}

uint32_t TA_ChannelGetData(TA_HANDLE handle, void* buffer, uint32_t length) {
    auto music = findMusic(handle);
    if (!music) return UINT32_MAX;
    if (!music->decodeOnly()) return fail<uint32_t>(TA_ERROR_NOT_DECODE, UINT32_MAX);
    if (!buffer) return fail<uint32_t>(TA_ERROR_ILLEGAL_PARAM, UINT32_MAX);
    bool ended = false;
    const uint32_t got = music->getData(buffer, length, ended);
    if (ended) music->fireEndSyncs();
    return succeed(got);
}

TA_HANDLE TA_StreamCreate(uint32_t freq, uint32_t chans, uint32_t flags, TA_STREAMPROC proc, void* user) {
    LibraryState& state = library();
    std::lock_guard lock(state.mutex);
    if (!state.initialised) return fail<TA_HANDLE>(TA_ERROR_INIT, 0);
    if (!proc) return fail<TA_HANDLE>(TA_ERROR_ILLEGAL_PARAM, 0);
    // Streams carry 16-bit stereo at the output rate, which is all the
    // player relays.
    if (freq != state.rate || chans != 2 || flags != 0) return fail<TA_HANDLE>(TA_ERROR_FORMAT, 0);
    const TA_HANDLE handle = newHandleLocked(state);
    state.channels[handle] = std::make_shared<StreamChannel>(handle, proc, user);
    return succeed(handle);
}

TA_BOOL TA_StreamFree(TA_HANDLE handle) {
    auto stream = std::dynamic_pointer_cast<StreamChannel>(findChannel(handle));
    if (!stream) return fail<TA_BOOL>(TA_ERROR_HANDLE, 0);
    stream->release();
    LibraryState& state = library();
    std::lock_guard lock(state.mutex);
    state.channels.erase(handle);
    return succeed<TA_BOOL>(1);
}

TA_BOOL TA_ChannelPlay(TA_HANDLE handle, TA_BOOL restart) {
    auto channel = findChannel(handle);
    if (!channel) return 0;
    return fromCode(channel->play(restart != 0));
}

TA_BOOL TA_ChannelPause(TA_HANDLE handle) {
    auto channel = findChannel(handle);
    if (!channel) return 0;
    return fromCode(channel->pause());
}

TA_BOOL TA_ChannelStop(TA_HANDLE handle) {
    auto channel = findChannel(handle);
    if (!channel) return 0;
    channel->stop();
    return succeed<TA_BOOL>(1);
}

uint32_t TA_ChannelIsActive(TA_HANDLE handle) {
    auto channel = findChannel(handle);
    if (!channel) return TA_ACTIVE_STOPPED;
    return succeed(channel->activity());
}

TA_HANDLE TA_ChannelSetSync(TA_HANDLE handle, uint32_t type, uint64_t, TA_SYNCPROC proc, void* user) {
    auto channel = findChannel(handle);
    if (!channel) return 0;
    if (type != TA_SYNC_END || !proc) return fail<TA_HANDLE>(TA_ERROR_ILLEGAL_PARAM, 0);
    LibraryState& state = library();
    TA_HANDLE sync = 0;
    {
        std::lock_guard lock(state.mutex);
        sync = newHandleLocked(state);
    }
    channel->addSync({sync, proc, user});
    return succeed(sync);
}

TA_BOOL TA_NullRender(uint32_t frames, int16_t* out) {
    LibraryState& state = library();
    {
        std::lock_guard lock(state.mutex);
        if (!state.initialised) return fail<TA_BOOL>(TA_ERROR_INIT, 0);
        if (!state.nullOutput) return fail<TA_BOOL>(TA_ERROR_DEVICE, 0);
    }
    std::vector<int16_t> discarded;
    if (!out) {
        discarded.resize(2 * static_cast<std::size_t>(frames));
        out = discarded.data();
    }
    pullMix(out, frames);
    return succeed<TA_BOOL>(1);
}

}  // extern "C"
