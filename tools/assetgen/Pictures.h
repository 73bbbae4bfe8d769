// The pictures of each data file. Every picture has one short function in
// the file's source, so a picture can be changed without reading the rest.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tools/assetgen/PictureFile.h"

namespace ik::art {

std::vector<Picture> generalPictures();
std::vector<Picture> series1Pictures();
std::vector<Picture> series2Pictures();
std::vector<Picture> series3Pictures();
std::vector<Picture> series4Pictures();

// The game-over panel each series carries, 600 x 400 at (100, 100): a dark
// head with the episode's emblem drawn by `emblem` into the given box, a
// light middle behind the black result lines and a dark foot behind the
// white "press Enter" line.
Picture infoPanel(const std::string& episodeTitle, const std::function<void(Image&, Box)>& emblem, Storage storage);

// The program icon, `size` pixels square with alpha (0xAABBGGRR).
std::vector<uint32_t> programIcon(int size);

}  // namespace ik::art
