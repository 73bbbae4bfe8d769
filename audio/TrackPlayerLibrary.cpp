#include "audio/TrackPlayerLibrary.h"

namespace ik {

namespace {

template <typename Function>
bool resolve(const std::unique_ptr<DynamicLibrary>& library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(library->function(name));
    return function != nullptr;
}

}  // namespace

std::unique_ptr<TrackAudioLibrary> TrackAudioLibrary::load(const std::string& folder) {
    const std::string path = (folder.empty() ? std::string(".") : folder) + "/" + trackAudioFileName();
    auto loaded = DynamicLibrary::open(path);
    if (!loaded) return nullptr;
    std::unique_ptr<TrackAudioLibrary> library(new TrackAudioLibrary(std::move(loaded)));
    if (!library->resolveAll()) return nullptr;
    return library;
}

bool TrackAudioLibrary::resolveAll() {
    return resolve(library_, "TA_GetVersion", GetVersion) && resolve(library_, "TA_SetConfig", SetConfig) &&
           resolve(library_, "TA_GetConfig", GetConfig) && resolve(library_, "TA_Init", Init) &&
           resolve(library_, "TA_Free", Free) && resolve(library_, "TA_GetInfo", GetInfo) &&
           resolve(library_, "TA_ErrorGetCode", ErrorGetCode) && resolve(library_, "TA_MusicLoad", MusicLoad) &&
           resolve(library_, "TA_MusicFree", MusicFree) && resolve(library_, "TA_MusicGetLength", MusicGetLength) &&
           resolve(library_, "TA_ChannelBytes2Seconds", ChannelBytes2Seconds) &&
           resolve(library_, "TA_ChannelSetPosition", ChannelSetPosition) &&
           resolve(library_, "TA_ChannelGetInfo", ChannelGetInfo) &&
           resolve(library_, "TA_ChannelGetData", ChannelGetData) &&
           resolve(library_, "TA_StreamCreate", StreamCreate) && resolve(library_, "TA_StreamFree", StreamFree) &&
           resolve(library_, "TA_ChannelPlay", ChannelPlay) && resolve(library_, "TA_ChannelPause", ChannelPause) &&
           resolve(library_, "TA_ChannelStop", ChannelStop) &&
           resolve(library_, "TA_ChannelIsActive", ChannelIsActive) &&
           resolve(library_, "TA_ChannelSetSync", ChannelSetSync) && resolve(library_, "TA_NullRender", NullRender);
}

}  // namespace ik
