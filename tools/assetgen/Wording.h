// The words the generated pictures carry, in each language of the game: the
// original's Czech for the data files themselves, and every other language
// for the variant files beside them ("general.en.dat", ...).
#pragma once

#include <string>
#include <vector>

namespace ik::art {

struct Wording {
    std::string code;              // the variant files' suffix: "en" for "general.en.dat"
    std::string pressKey[2];       // the loading screen's key plate, two lines
    std::string gameOver;          // the game-over panel's head
    std::string episodeTitles[4];  // under it, the episode's name
    std::string modifier;          // the plate over episode 4's code window
};

const Wording& czechWording();
// The languages with variant files, Czech excluded.
const std::vector<Wording>& translatedWordings();

}  // namespace ik::art
