#include "audio/TrackPlayerLibrary.h"

#include <dlfcn.h>

namespace ik {

namespace {

template <typename Function>
bool resolve(void* handle, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(handle, name));
    return function != nullptr;
}

}  // namespace

std::unique_ptr<TrackAudioLibrary> TrackAudioLibrary::load(const std::string& folder) {
    const std::string path = (folder.empty() ? std::string(".") : folder) + "/" + kTrackAudioFileName;
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) return nullptr;
    std::unique_ptr<TrackAudioLibrary> library(new TrackAudioLibrary(handle));
    if (!library->resolveAll()) return nullptr;
    return library;
}

TrackAudioLibrary::~TrackAudioLibrary() { dlclose(handle_); }

bool TrackAudioLibrary::resolveAll() {
    return resolve(handle_, "TA_GetVersion", GetVersion) && resolve(handle_, "TA_SetConfig", SetConfig) &&
           resolve(handle_, "TA_GetConfig", GetConfig) && resolve(handle_, "TA_Init", Init) &&
           resolve(handle_, "TA_Free", Free) && resolve(handle_, "TA_GetInfo", GetInfo) &&
           resolve(handle_, "TA_ErrorGetCode", ErrorGetCode) && resolve(handle_, "TA_MusicLoad", MusicLoad) &&
           resolve(handle_, "TA_MusicFree", MusicFree) && resolve(handle_, "TA_MusicGetLength", MusicGetLength) &&
           resolve(handle_, "TA_ChannelBytes2Seconds", ChannelBytes2Seconds) &&
           resolve(handle_, "TA_ChannelSetPosition", ChannelSetPosition) &&
           resolve(handle_, "TA_ChannelGetInfo", ChannelGetInfo) &&
           resolve(handle_, "TA_ChannelGetData", ChannelGetData) && resolve(handle_, "TA_StreamCreate", StreamCreate) &&
           resolve(handle_, "TA_StreamFree", StreamFree) && resolve(handle_, "TA_ChannelPlay", ChannelPlay) &&
           resolve(handle_, "TA_ChannelPause", ChannelPause) && resolve(handle_, "TA_ChannelStop", ChannelStop) &&
           resolve(handle_, "TA_ChannelIsActive", ChannelIsActive) &&
           resolve(handle_, "TA_ChannelSetSync", ChannelSetSync) && resolve(handle_, "TA_NullRender", NullRender);
}

}  // namespace ik
