#include "audio/TrackPlayer.h"

#include <cmath>
#include <vector>

#include "audio/TrackPlayerRelay.h"

namespace ik {

namespace {

constexpr uint32_t kOutputRate = 44100;
constexpr uint32_t kFullVolume = 255;
constexpr uint32_t kEffectsSoundSystemVersion = 8;
constexpr uint32_t kDrainCheckMs = 50;

}  // namespace

const char* playerModeName(TPlayerMode mode) {
    switch (mode) {
        case pmNone:
            return "pmNone";
        case pmReady:
            return "pmReady";
        case pmStopped:
            return "pmStopped";
        case pmPlaying:
            return "pmPlaying";
        case pmPaused:
            return "pmPaused";
    }
    return "?";
}

TTrackPlayer::TTrackPlayer(Platform& platform, std::string libraryFolder, bool heard)
    : platform_(platform), self_(std::make_shared<TTrackPlayer*>(this)) {
    library_ = TrackAudioLibrary::load(libraryFolder);
    if (library_) initialise(platform.headless(), heard);
}

void TTrackPlayer::initialise(bool headless, bool heard) {
    const uint32_t version = library_->GetVersion();
    if ((version & 0xFFFF) != TA_VERSION_MAJOR || (version >> 16) != TA_VERSION_MINOR) {
        showError("TRACKAUDIO version is not 2.1 !");
        return;
    }
    library_->SetConfig(TA_CONFIG_VOLUME_SCALE, kFullVolume);
    if (headless) library_->SetConfig(TA_CONFIG_NULL_OUTPUT, 1);
    if (!heard) library_->SetConfig(TA_CONFIG_SILENT_MODULES, 1);
    if (!library_->Init(1, kOutputRate, 0, nullptr, nullptr)) {
        deviceFailed_ = true;
        showError("Can't initialize device\n(error code: " + std::to_string(library_->ErrorGetCode()) + ")");
        return;
    }
    playerReady_ = true;
    TA_INFO info{};
    info.size = sizeof(TA_INFO);
    if (library_->GetInfo(&info) && info.soundSystemVersion < kEffectsSoundSystemVersion) {
        showError("DirectX Ver 8 or higher is not installed.\nSound effects except flanger are disabled.", "Warning",
                  MessageBoxKind::Warning);
    }
    musicVolume_ = kFullVolume;
    library_->SetConfig(TA_CONFIG_MUSIC_VOLUME, kFullVolume);
    library_->SetConfig(TA_CONFIG_STREAM_VOLUME, kFullVolume);
    trackAudioVer_ = std::to_string(version & 0xFFFF) + "." + std::to_string(version >> 16);
    relay_ = std::make_unique<TrackRelay>(
        *library_, headless, [this] { showError("Unable to create thread !", "Error!", MessageBoxKind::Warning); });
    if (headless) {
        std::weak_ptr<TTrackPlayer*> self = self_;
        platform_.addClockListener([self](uint32_t elapsedMs) {
            if (auto player = self.lock()) (*player)->renderHeadless(elapsedMs);
        });
    }
}

TTrackPlayer::~TTrackPlayer() {
    Close();
    relay_.reset();
    if (playerReady_) library_->Free();
}

void TTrackPlayer::showError(const std::string& text, const char* caption, MessageBoxKind kind) {
    // A failing file is tried again at every frame by the music cues: one box
    // per text and run, then the game goes on in silence.
    if (!errorsShown_.insert(text).second) return;
    platform_.messageBox(caption, text, kind);
}

void TTrackPlayer::changeMode(TPlayerMode mode) {
    const TPlayerMode old = mode_;
    mode_ = mode;
    if (mode == pmNone) {
        streamFile_.clear();
        streamInfo_ = {};
    }
    if (OnModeChange) OnModeChange(*this, old, mode);
}

bool TTrackPlayer::Open(const std::string& path) {
    if (!playerReady_) {
        // Without a sound device the game plays on in silence; the device's
        // own box has said why.
        if (!deviceFailed_) showError("Player is not ready !");
        return false;
    }
    const auto info = describeModuleFile(path);
    if (!info) {
        showError("Invalid stream file (" + path + ") !");
        return false;
    }
    const bool pausedForOpen = mode_ == pmPlaying;
    if (pausedForOpen) Pause();
    const TA_HANDLE handle = library_->MusicLoad(0, path.c_str(), 0, 0, TA_MUSIC_PLAYER_FLAGS | TA_MUSIC_DECODE, 0);
    if (handle == 0) {
        showError("Can't play the specified stream file : " + path);
        if (pausedForOpen) Resume();
        return false;
    }
    Close();
    channelHandle_ = handle;
    channelKind_ = kModule;
    positionBase_ = 0;
    TA_CHANNELINFO channel{};
    library_->ChannelGetInfo(handle, &channel);
    if (channel.flags & TA_SAMPLE_8BITS) {
        library_->MusicFree(handle);
        channelHandle_ = 0;
        channelKind_ = kNothingOpen;
        showError("Sound card does not support 16-bit sources.");
        return false;
    }
    channelRate_ = channel.freq;
    channelCount_ = channel.chans;
    streamFile_ = path;
    streamInfo_ = *info;
    changeMode(pmReady);
    return true;
}

void TTrackPlayer::Play() {
    if (channelKind_ == kNothingOpen || mode_ == pmPlaying) return;
    if (mode_ == pmPaused) {
        Resume();
        return;
    }
    if (mode_ == pmStopped) {
        // The seek resets the relay together with the source; a second reset
        // here would throw away what the relay thread has read since from
        // the new place, and the music would start a chunk late.
        SetPosition(0);
        if (library_->ChannelPlay(outputHandle_, 1)) changeMode(pmPlaying);
        return;
    }
    if (outputHandle_ != 0) relay_->end();
    outputHandle_ = relay_->create(channelHandle_, channelRate_, channelCount_);
    if (outputHandle_ == 0) {
        showError("Could not open the channel");
        return;
    }
    if (!library_->ChannelPlay(outputHandle_, 1)) return;
    library_->ChannelSetSync(channelHandle_, TA_SYNC_END, 0, endSync, this);
    changeMode(pmPlaying);
}

void TTrackPlayer::Stop() {
    if (mode_ != pmPlaying) return;
    library_->ChannelStop(outputHandle_);
    positionBase_ = 0;
    changeMode(pmStopped);
}

void TTrackPlayer::Pause() {
    if (mode_ != pmPlaying) return;
    library_->ChannelPause(outputHandle_);
    changeMode(pmPaused);
}

void TTrackPlayer::Resume() {
    if (mode_ != pmPaused) return;
    if (seekWhilePaused_) {
        // The seek has reset the relay already, as in Play after Stop.
        library_->ChannelPlay(outputHandle_, 1);
        seekWhilePaused_ = false;
    } else {
        library_->ChannelPlay(outputHandle_, 0);
    }
    changeMode(pmPlaying);
}

void TTrackPlayer::Close() {
    if (channelKind_ == kNothingOpen) return;
    if (drainTimer_) drainTimer_->setEnabled(false);
    relay_->end();
    library_->MusicFree(channelHandle_);
    channelHandle_ = 0;
    outputHandle_ = 0;
    channelKind_ = kNothingOpen;
    seekWhilePaused_ = false;
    positionBase_ = 0;
    if (mode_ != pmNone) changeMode(pmNone);
    streamFile_.clear();
    streamInfo_ = {};
}

uint32_t TTrackPlayer::PlayLength() const {
    if (channelKind_ == kNothingOpen) return 0;
    const uint64_t bytes = library_->MusicGetLength(channelHandle_, 1);
    const auto seconds = static_cast<float>(library_->ChannelBytes2Seconds(channelHandle_, bytes));
    return static_cast<uint32_t>(std::nearbyint(seconds * 1000.0f));
}

bool TTrackPlayer::outputRuns() const {
    const uint32_t state = library_->ChannelIsActive(outputHandle_);
    return state == TA_ACTIVE_PLAYING || state == TA_ACTIVE_STALLED;
}

uint32_t TTrackPlayer::Position() const {
    if (channelKind_ == kNothingOpen || outputHandle_ == 0) return 0;
    if (library_->ChannelIsActive(outputHandle_) == TA_ACTIVE_STOPPED) return 0;
    return relay_->deliveredMs() + positionBase_;
}

void TTrackPlayer::SetPosition(uint32_t ms) {
    if (!CanSeek() || ms > PlayLength()) return;
    bool wasPlaying = false;
    if (outputHandle_ != 0) {
        if (library_->ChannelIsActive(outputHandle_) == TA_ACTIVE_PAUSED) seekWhilePaused_ = true;
        wasPlaying = outputRuns();
        if (wasPlaying) library_->ChannelStop(outputHandle_);
    }
    {
        auto hold = relay_->holdSource();
        relay_->reset();
        if (!library_->ChannelSetPosition(channelHandle_, TA_POSITION_SECONDS(ms / 1000))) return;
    }
    positionBase_ = ms;
    if (wasPlaying) library_->ChannelPlay(outputHandle_, 1);
}

void TTrackPlayer::SetVolume(uint32_t volume) {
    musicVolume_ = volume > kFullVolume ? kFullVolume : volume;
    if (!playerReady_) return;
    library_->SetConfig(TA_CONFIG_MUSIC_VOLUME, musicVolume_);
    library_->SetConfig(TA_CONFIG_STREAM_VOLUME, musicVolume_);
}

void TTrackPlayer::endSync(TA_HANDLE, TA_HANDLE channel, uint32_t, void* user) {
    auto* player = static_cast<TTrackPlayer*>(user);
    std::weak_ptr<TTrackPlayer*> self = player->self_;
    player->platform_.post([self, channel] {
        if (auto alive = self.lock()) (*alive)->onSourceEnd(channel);
    });
}

void TTrackPlayer::onSourceEnd(TA_HANDLE channel) {
    if (channel != channelHandle_ || (mode_ != pmPlaying && mode_ != pmPaused)) return;
    changeMode(pmStopped);
    // The output still plays what the relay holds; the end is announced once
    // it has played out, while the loop goes on.
    if (!drainTimer_) {
        drainTimer_ = platform_.createTimer();
        drainTimer_->setInterval(kDrainCheckMs);
        drainTimer_->setHandler([this] {
            if (outputHandle_ != 0 && outputRuns()) return;
            drainTimer_->setEnabled(false);
            if (OnPlayEnd) OnPlayEnd(*this);
        });
    }
    drainTimer_->setEnabled(true);
}

void TTrackPlayer::renderHeadless(uint32_t elapsedMs) {
    headlessMs_ += elapsedMs;
    const uint64_t due = headlessMs_ * kOutputRate / 1000;
    const auto frames = static_cast<uint32_t>(due - headlessFrames_);
    headlessFrames_ = due;
    if (frames == 0) return;
    std::vector<int16_t> sound(2 * static_cast<std::size_t>(frames));
    library_->NullRender(frames, sound.data());
    if (OnHeadlessOutput) OnHeadlessOutput(sound.data(), frames);
}

}  // namespace ik
