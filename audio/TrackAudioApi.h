// The C interface of libtrackaudio.so, our tracker-music library: the player
// loads it at run time and resolves each entry point by name, so the names,
// the argument lists and the values below are the whole contract between the
// two sides. Times are seconds, sizes bytes of 16-bit stereo at the output
// rate (4 bytes a frame).
#pragma once

#include <stdint.h>

#if defined(_WIN32)
#define TA_EXPORT __declspec(dllexport)
#elif defined(__GNUC__)
#define TA_EXPORT __attribute__((visibility("default")))
#else
#define TA_EXPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef uint32_t TA_HANDLE;  // 0 is never a valid handle
typedef uint32_t TA_BOOL;    // 0 = false

// Version: low word major, high word minor.
#define TA_VERSION_MAJOR 2u
#define TA_VERSION_MINOR 1u
#define TA_VERSION (TA_VERSION_MAJOR | (TA_VERSION_MINOR << 16))

// TA_SetConfig options.
#define TA_CONFIG_VOLUME_SCALE 3u   // the value that counts as full volume
#define TA_CONFIG_STREAM_VOLUME 5u  // volume of played streams
#define TA_CONFIG_MUSIC_VOLUME 6u   // volume of directly played modules
// Before TA_Init: 1 renders into a null sink pulled by TA_NullRender instead of
// opening an audio device (headless runs and tests).
#define TA_CONFIG_NULL_OUTPUT 0x10000u
// 1: modules loaded from then on give silence, frame for frame where their
// sound would be, without decoding it (runs that nobody hears).
#define TA_CONFIG_SILENT_MODULES 0x10001u

// TA_MusicLoad flags. The player's usual set asks for the length at load, a
// reset of the notes on a seek and sensitive ramping; this library always
// counts the length at load and its decoder always ramps and resets, so those
// bits are accepted as they come. Only TA_MUSIC_DECODE changes anything.
#define TA_MUSIC_PLAYER_FLAGS 0x28400u
#define TA_MUSIC_DECODE 0x200000u  // decode with TA_ChannelGetData, never played

// TA_ChannelIsActive results.
#define TA_ACTIVE_STOPPED 0u
#define TA_ACTIVE_PLAYING 1u
#define TA_ACTIVE_STALLED 2u
#define TA_ACTIVE_PAUSED 3u

// TA_ChannelSetSync types.
#define TA_SYNC_END 2u

// A stream fill callback returns the bytes written; this bit ends the stream
// once they have been played.
#define TA_STREAMPROC_END 0x80000000u

// TA_ChannelInfo flags.
#define TA_SAMPLE_8BITS 1u

// A position word of this form (high word 0xFFFF, sign-extended to 64 bits)
// means whole seconds in its low word; any other value is a byte offset.
#define TA_POSITION_SECONDS(seconds) ((uint64_t)(int64_t)(int32_t)(0xFFFF0000u | ((uint32_t)(seconds)&0xFFFFu)))

// TA_ErrorGetCode values.
#define TA_OK 0
#define TA_ERROR_MEMORY 1
#define TA_ERROR_FILEOPEN 2
#define TA_ERROR_DEVICE 3
#define TA_ERROR_HANDLE 4
#define TA_ERROR_FORMAT 5
#define TA_ERROR_POSITION 6
#define TA_ERROR_INIT 7
#define TA_ERROR_ALREADY 8
#define TA_ERROR_ILLEGAL_PARAM 9
#define TA_ERROR_DECODE 10      // a decode-only channel cannot be played
#define TA_ERROR_NOT_DECODE 11  // only decode-only channels can be read
#define TA_ERROR_ENDED 12

typedef struct TA_INFO {
    uint32_t size;  // 60: the caller sets it, the library checks it
    uint32_t flags;
    uint32_t outputRate;
    uint32_t outputChannels;
    uint32_t latencyMs;
    uint32_t minBufferMs;
    uint32_t deviceBufferFrames;
    uint32_t playingChannels;
    uint32_t loadedModules;
    uint32_t streams;
    uint32_t soundSystemVersion;  // the 11th field; 9 here
    uint32_t nullOutput;
    uint32_t reserved[3];
} TA_INFO;

typedef struct TA_CHANNELINFO {
    uint32_t freq;
    uint32_t chans;
    uint32_t flags;  // TA_SAMPLE_8BITS
    uint32_t kind;   // 1 module, 2 stream
} TA_CHANNELINFO;

typedef uint32_t (*TA_STREAMPROC)(TA_HANDLE handle, void* buffer, uint32_t length, void* user);
typedef void (*TA_SYNCPROC)(TA_HANDLE sync, TA_HANDLE channel, uint32_t data, void* user);

TA_EXPORT uint32_t TA_GetVersion(void);
TA_EXPORT TA_BOOL TA_SetConfig(uint32_t option, uint32_t value);
TA_EXPORT uint32_t TA_GetConfig(uint32_t option);
TA_EXPORT TA_BOOL TA_Init(int32_t device, uint32_t freq, uint32_t flags, void* window, void* classId);
TA_EXPORT TA_BOOL TA_Free(void);
TA_EXPORT TA_BOOL TA_GetInfo(TA_INFO* info);
TA_EXPORT int32_t TA_ErrorGetCode(void);
TA_EXPORT TA_HANDLE TA_MusicLoad(TA_BOOL memory, const void* file, uint64_t offset, uint32_t length, uint32_t flags,
                                 uint32_t freq);
TA_EXPORT TA_BOOL TA_MusicFree(TA_HANDLE handle);
TA_EXPORT uint64_t TA_MusicGetLength(TA_HANDLE handle, TA_BOOL playLength);
TA_EXPORT double TA_ChannelBytes2Seconds(TA_HANDLE handle, uint64_t bytes);
TA_EXPORT TA_BOOL TA_ChannelSetPosition(TA_HANDLE handle, uint64_t position);
TA_EXPORT TA_BOOL TA_ChannelGetInfo(TA_HANDLE handle, TA_CHANNELINFO* info);
TA_EXPORT uint32_t TA_ChannelGetData(TA_HANDLE handle, void* buffer, uint32_t length);
TA_EXPORT TA_HANDLE TA_StreamCreate(uint32_t freq, uint32_t chans, uint32_t flags, TA_STREAMPROC proc, void* user);
TA_EXPORT TA_BOOL TA_StreamFree(TA_HANDLE handle);
TA_EXPORT TA_BOOL TA_ChannelPlay(TA_HANDLE handle, TA_BOOL restart);
TA_EXPORT TA_BOOL TA_ChannelPause(TA_HANDLE handle);
TA_EXPORT TA_BOOL TA_ChannelStop(TA_HANDLE handle);
TA_EXPORT uint32_t TA_ChannelIsActive(TA_HANDLE handle);
TA_EXPORT TA_HANDLE TA_ChannelSetSync(TA_HANDLE handle, uint32_t type, uint64_t param, TA_SYNCPROC proc, void* user);
// Null output only: mixes `frames` frames of what is playing, as a device
// would pull them, into `out` (16-bit stereo; may be null to discard).
TA_EXPORT TA_BOOL TA_NullRender(uint32_t frames, int16_t* out);

#ifdef __cplusplus
}
#endif
