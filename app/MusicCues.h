// The music cues: every screen asks for its stretch of the one module, in
// percent of the module's length, and the music moves only when the last
// position read lies outside that stretch. The module plays from a copy,
// "~temp.xm", made once per run and deleted at close.
#pragma once

#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

namespace ik {

class TForm1;
class TTrackPlayer;

inline constexpr const char* kMusicFile = "music.dat";
inline constexpr const char* kTempMusicFile = "~temp.xm";

// The rule of TForm1::playmusic: `musicPos` is the position stored by the
// previous call and is updated; the module `moduleName` is looked for as every
// data file is (app/Files.h), and only once the position has left the stretch.
void playStretch(TTrackPlayer& player, uint32_t& musicPos, double start, double end, const std::string& moduleName,
                 const std::string& copyPath);

// Where the copy goes: the working folder, or beside "scores.dat" when the
// working folder is not writable.
std::string tempMusicPath(const std::string& scoresDir);

// Deletes the copy that the cues played (or "~temp.xm" in the working folder
// when no cue has made one yet this run).
void deleteTempMusic();

// Adds "music": mode, position, length, path and music_pos.
void dumpMusicState(const TForm1& form, nlohmann::json& state);

}  // namespace ik
