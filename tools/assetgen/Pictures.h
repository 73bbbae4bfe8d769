// The pictures of each data file. Every picture has one short function in
// the file's source, so a picture can be changed without reading the rest.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tools/assetgen/PictureFile.h"
#include "tools/assetgen/Wording.h"

namespace ik::art {

std::vector<Picture> generalPictures();
std::vector<Picture> series1Pictures();
std::vector<Picture> series2Pictures();
std::vector<Picture> series3Pictures();
std::vector<Picture> series4Pictures();

// The pictures of each file that carry words, drawn with `wording`: the
// content of the file's variant in that language, under the same names.
std::vector<Picture> generalWordPictures(const Wording& wording);
std::vector<Picture> series1WordPictures(const Wording& wording);
std::vector<Picture> series2WordPictures(const Wording& wording);
std::vector<Picture> series3WordPictures(const Wording& wording);
std::vector<Picture> series4WordPictures(const Wording& wording);

// The game-over panel each series carries, 600 x 400 at (100, 100): a dark
// head with the episode's emblem drawn by `emblem` into the given box, a
// light middle behind the black result lines and a dark foot behind the
// white "press Enter" line; `wording` names the game's end and episode
// `episode` (1 to 4).
Picture infoPanel(const Wording& wording, int episode, const std::function<void(Image&, Box)>& emblem, Storage storage);

// The program icon, `size` pixels square with alpha (0xAABBGGRR).
std::vector<uint32_t> programIcon(int size);

}  // namespace ik::art
