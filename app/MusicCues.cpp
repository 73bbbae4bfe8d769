#include "app/MusicCues.h"

#include <filesystem>
#include <system_error>

#include "app/Files.h"
#include "app/Form.h"
#include "audio/TrackPlayer.h"

namespace ik {

namespace {

// Where this run's copy goes, settled at the first cue and kept for the close.
std::string& copyInUse() {
    static std::string path;
    return path;
}

// In extended precision, as the game always computed it: 62.83 % of 100 000
// is then a hair below 62 830 and truncates to 62 829, where double
// arithmetic would round the product up to 62 830 first.
uint32_t percentOf(uint32_t length, double percent) {
    return static_cast<uint32_t>(static_cast<long double>(length) * percent / 100);
}

}  // namespace

void playStretch(TTrackPlayer& player, uint32_t& musicPos, double start, double end, const std::string& moduleName,
                 const std::string& copyPath) {
    const uint32_t length = player.PlayLength();
    if (musicPos > percentOf(length, start) && musicPos < percentOf(length, end)) {
        musicPos = player.Position();
        return;
    }
    // Looked for only when the stretch is left, not on every frame of it.
    if (const std::string modulePath = findDataFile(moduleName); !modulePath.empty()) {
        // A copy that exists is played as it is, even one left by an earlier run.
        std::error_code ignored;
        std::filesystem::copy_file(modulePath, copyPath, std::filesystem::copy_options::none, ignored);
        player.Stop();
        player.Open(copyPath);
        if (player.CanSeek()) {
            musicPos = percentOf(player.PlayLength(), start);
            player.SetPosition(musicPos);
        }
        player.Play();
    }
    musicPos = player.Position();
}

std::string tempMusicPath(const std::string& scoresDir) {
    const std::string dir = tempMusicDir(scoresDir);
    if (dir == ".") return kTempMusicFile;
    return utf8String(utf8Path(dir) / kTempMusicFile);
}

void TForm1::playmusic(double start, double end) {
    if (!player) return;
    if (copyInUse().empty()) copyInUse() = tempMusicPath(options.scoresDir);
    playStretch(*player, music_pos, start, end, kMusicFile, copyInUse());
}

void deleteTempMusic() {
    const std::string path = copyInUse().empty() ? kTempMusicFile : copyInUse();
    std::error_code ignored;
    std::filesystem::remove(utf8Path(path), ignored);
    copyInUse().clear();
}

void dumpMusicState(const TForm1& form, nlohmann::json& state) {
    const TTrackPlayer* player = form.player.get();
    state["music"] = {
        {"mode", playerModeName(player ? player->Mode() : pmNone)},
        {"position", player ? player->Position() : 0},
        {"length", player ? player->PlayLength() : 0},
        {"path", player ? player->StreamFile() : std::string()},
        {"music_pos", form.music_pos},
    };
}

}  // namespace ik
