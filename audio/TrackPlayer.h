// The music player: one tracker module at a time, opened, positioned,
// played, stopped and closed through libtrackaudio.so, with its position
// kept in milliseconds by the relay output.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>

#include "audio/TrackPlayerDescribe.h"
#include "audio/TrackPlayerLibrary.h"
#include "platform/Platform.h"

namespace ik {

class TrackRelay;

enum TPlayerMode { pmNone = 0, pmReady = 1, pmStopped = 2, pmPlaying = 3, pmPaused = 4 };

const char* playerModeName(TPlayerMode mode);

class TTrackPlayer {
public:
    // Loads the library from `libraryFolder` (the executable's folder),
    // checks its version and opens its output; without it the player exists
    // but plays nothing. Music that nobody hears (`heard` false: a replay
    // that checks only what the game did) keeps its length and positions but
    // is not decoded.
    TTrackPlayer(Platform& platform, std::string libraryFolder, bool heard = true);
    ~TTrackPlayer();
    TTrackPlayer(const TTrackPlayer&) = delete;
    TTrackPlayer& operator=(const TTrackPlayer&) = delete;

    // Music works: the library is loaded with all its entry points, accepted
    // and initialised (TrackAudioVer is not empty).
    bool LibraryLoaded() const { return !trackAudioVer_.empty(); }
    // The library file itself was found and loaded, whether or not its
    // output could be opened: only its absence is the missing-library case.
    bool LibraryFound() const { return library_ != nullptr; }
    const std::string& TrackAudioVer() const { return trackAudioVer_; }

    bool Open(const std::string& path);
    void Play();
    void Stop();
    void Pause();
    void Resume();
    void Close();
    uint32_t PlayLength() const;
    uint32_t Position() const;
    void SetPosition(uint32_t ms);
    bool CanSeek() const { return channelKind_ != kNothingOpen; }
    void SetVolume(uint32_t volume);
    uint32_t MusicVolume() const { return musicVolume_; }
    TPlayerMode Mode() const { return mode_; }
    const std::string& StreamFile() const { return streamFile_; }
    const TStreamInfo& StreamInfo() const { return streamInfo_; }

    std::function<void(TTrackPlayer& sender, TPlayerMode oldMode, TPlayerMode newMode)> OnModeChange;
    std::function<void(TTrackPlayer& sender)> OnPlayEnd;
    // Headless runs: the sound the null sink took, 16-bit stereo frames.
    std::function<void(const int16_t* frames, uint32_t frameCount)> OnHeadlessOutput;

private:
    static constexpr int kNothingOpen = 0;
    static constexpr int kModule = 4;

    void initialise(bool headless, bool heard);
    void changeMode(TPlayerMode mode);
    void showError(const std::string& text, const char* caption = "Error", MessageBoxKind kind = MessageBoxKind::Error);
    bool outputRuns() const;
    void onSourceEnd(TA_HANDLE channel);
    void renderHeadless(uint32_t elapsedMs);
    static void endSync(TA_HANDLE sync, TA_HANDLE channel, uint32_t data, void* user);

    Platform& platform_;
    std::unique_ptr<TrackAudioLibrary> library_;
    bool playerReady_ = false;
    bool deviceFailed_ = false;  // its box was shown: a silent game needs no more
    std::string trackAudioVer_;
    std::unique_ptr<TrackRelay> relay_;
    std::set<std::string> errorsShown_;

    int channelKind_ = kNothingOpen;
    TA_HANDLE channelHandle_ = 0;
    TA_HANDLE outputHandle_ = 0;
    uint32_t channelRate_ = 0;
    uint32_t channelCount_ = 0;
    TPlayerMode mode_ = pmNone;
    uint32_t musicVolume_ = 255;
    uint32_t positionBase_ = 0;
    bool seekWhilePaused_ = false;
    std::string streamFile_;
    TStreamInfo streamInfo_;

    // The end of the source reaches the loop thread as a posted task, which
    // must find out whether the player still exists.
    std::shared_ptr<TTrackPlayer*> self_;
    std::unique_ptr<IntervalTimer> drainTimer_;
    uint64_t headlessMs_ = 0;
    uint64_t headlessFrames_ = 0;
};

}  // namespace ik
