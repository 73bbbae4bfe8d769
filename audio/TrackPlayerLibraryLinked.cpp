// Where no library can be loaded at run time (the browser page), the music
// library is linked into the program and its entry points are taken as they
// are; the folder asked for plays no part.
#include "audio/TrackPlayerLibrary.h"

namespace ik {

std::unique_ptr<TrackAudioLibrary> TrackAudioLibrary::load(const std::string& /*folder*/) {
    std::unique_ptr<TrackAudioLibrary> library(new TrackAudioLibrary(nullptr));
    if (!library->resolveAll()) return nullptr;
    return library;
}

bool TrackAudioLibrary::resolveAll() {
    GetVersion = &TA_GetVersion;
    SetConfig = &TA_SetConfig;
    GetConfig = &TA_GetConfig;
    Init = &TA_Init;
    Free = &TA_Free;
    GetInfo = &TA_GetInfo;
    ErrorGetCode = &TA_ErrorGetCode;
    MusicLoad = &TA_MusicLoad;
    MusicFree = &TA_MusicFree;
    MusicGetLength = &TA_MusicGetLength;
    ChannelBytes2Seconds = &TA_ChannelBytes2Seconds;
    ChannelSetPosition = &TA_ChannelSetPosition;
    ChannelGetInfo = &TA_ChannelGetInfo;
    ChannelGetData = &TA_ChannelGetData;
    StreamCreate = &TA_StreamCreate;
    StreamFree = &TA_StreamFree;
    ChannelPlay = &TA_ChannelPlay;
    ChannelPause = &TA_ChannelPause;
    ChannelStop = &TA_ChannelStop;
    ChannelIsActive = &TA_ChannelIsActive;
    ChannelSetSync = &TA_ChannelSetSync;
    NullRender = &TA_NullRender;
    return true;
}

}  // namespace ik
