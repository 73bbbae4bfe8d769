// The shared look of all artwork: one palette family (night blues, brass,
// cream paper, a few food colours) and the materials built from it.
#pragma once

#include <cstdint>

#include "tools/assetgen/Raster.h"

namespace ik::art {

namespace colour {
inline const Rgba night = rgb(16, 18, 28);
inline const Rgba navy = rgb(30, 38, 58);
inline const Rgba slate = rgb(56, 68, 92);
inline const Rgba steel = rgb(104, 118, 140);
inline const Rgba mist = rgb(170, 180, 196);
inline const Rgba brass = rgb(190, 146, 70);
inline const Rgba brassLight = rgb(234, 198, 118);
inline const Rgba brassDark = rgb(112, 78, 34);
inline const Rgba copper = rgb(168, 92, 54);
inline const Rgba cream = rgb(238, 224, 196);
inline const Rgba parchment = rgb(246, 236, 212);
inline const Rgba ink = rgb(28, 24, 22);
inline const Rgba leaf = rgb(96, 172, 70);
inline const Rgba leafDark = rgb(38, 108, 48);
inline const Rgba tomato = rgb(204, 56, 44);
inline const Rgba wine = rgb(120, 28, 34);
inline const Rgba wood = rgb(150, 96, 52);
inline const Rgba woodDark = rgb(92, 56, 30);
inline const Rgba flame = rgb(255, 164, 52);
inline const Rgba flameCore = rgb(255, 238, 160);
inline const Rgba ember = rgb(214, 62, 28);
inline const Rgba skin = rgb(236, 186, 146);
inline const Rgba white = rgb(255, 255, 255);
inline const Rgba black = rgb(0, 0, 0);
}  // namespace colour

// Seeded speckle over a box: keeps large flat areas from looking synthetic.
void grain(Image& img, Box box, float amount, uint32_t seed);
// The pixel-art outline every sprite wears: ink first, then the paint.
void outlined(Image& img, const Shape& s, const Paint& p, float width = 1.5f);
// A round brass rivet lit from the top left.
void rivet(Image& img, float x, float y, float r = 3);
// A bevelled plate with a dark outline and rivets in its corners.
void plate(Image& img, Box box, Rgba base, float radius = 6, bool rivets = true);
// A recessed dark screen, as on the ship's and the laboratory's machines.
void screenWell(Image& img, Box box, Rgba glass, float radius = 8);
// Horizontal band with a brass lower rim, the header of every playing screen.
void headerBand(Image& img, int width, int height, uint32_t seed);
// The collection's emblem: a brass wheel around a keel under sail.
void wheelEmblem(Image& img, float cx, float cy, float radius);
// Darkens toward the edges of the picture.
void vignette(Image& img, float strength);

}  // namespace ik::art
