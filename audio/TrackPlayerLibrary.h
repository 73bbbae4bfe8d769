// The music library (libtrackaudio.so, trackaudio.dll) loaded at run time:
// every entry point the player uses, resolved by name. A library with any
// name missing counts as absent. Where nothing can be loaded at run time (the
// browser page), the library is linked in and its entry points taken as they are.
#pragma once

#include <memory>
#include <string>

#include "audio/TrackAudioApi.h"
#include "platform/DynamicLibrary.h"

namespace ik {

struct TrackAudioLibrary {
    // Null when the file is missing or lacks an entry point.
    static std::unique_ptr<TrackAudioLibrary> load(const std::string& folder);
    TrackAudioLibrary(const TrackAudioLibrary&) = delete;
    TrackAudioLibrary& operator=(const TrackAudioLibrary&) = delete;

    decltype(&TA_GetVersion) GetVersion = nullptr;
    decltype(&TA_SetConfig) SetConfig = nullptr;
    decltype(&TA_GetConfig) GetConfig = nullptr;
    decltype(&TA_Init) Init = nullptr;
    decltype(&TA_Free) Free = nullptr;
    decltype(&TA_GetInfo) GetInfo = nullptr;
    decltype(&TA_ErrorGetCode) ErrorGetCode = nullptr;
    decltype(&TA_MusicLoad) MusicLoad = nullptr;
    decltype(&TA_MusicFree) MusicFree = nullptr;
    decltype(&TA_MusicGetLength) MusicGetLength = nullptr;
    decltype(&TA_ChannelBytes2Seconds) ChannelBytes2Seconds = nullptr;
    decltype(&TA_ChannelSetPosition) ChannelSetPosition = nullptr;
    decltype(&TA_ChannelGetInfo) ChannelGetInfo = nullptr;
    decltype(&TA_ChannelGetData) ChannelGetData = nullptr;
    decltype(&TA_StreamCreate) StreamCreate = nullptr;
    decltype(&TA_StreamFree) StreamFree = nullptr;
    decltype(&TA_ChannelPlay) ChannelPlay = nullptr;
    decltype(&TA_ChannelPause) ChannelPause = nullptr;
    decltype(&TA_ChannelStop) ChannelStop = nullptr;
    decltype(&TA_ChannelIsActive) ChannelIsActive = nullptr;
    decltype(&TA_ChannelSetSync) ChannelSetSync = nullptr;
    decltype(&TA_NullRender) NullRender = nullptr;

private:
    explicit TrackAudioLibrary(std::unique_ptr<DynamicLibrary> library) : library_(std::move(library)) {}
    bool resolveAll();
    // Null where the library is linked into the program.
    std::unique_ptr<DynamicLibrary> library_;
};

// The library's file name on this system.
std::string trackAudioFileName();

}  // namespace ik
