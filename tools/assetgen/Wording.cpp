#include "tools/assetgen/Wording.h"

namespace ik::art {

const Wording& czechWording() {
    static const Wording czech{
        "cs",
        {"STISKNĚTE", "KLÁVESU"},
        "Konec hry",
        {"Kuchařské zkoušky", "Den s Vorlagem", "L´Armée du Nord", "Transmogrifikace"},
        "MODIFIKÁTOR DNA",
    };
    return czech;
}

const std::vector<Wording>& translatedWordings() {
    static const std::vector<Wording> wordings = {{
        "en",
        {"PRESS", "ANY KEY"},
        "Game Over",
        {"Cooking Exams", "A Day with Vorlag", "Army of the North", "Transmogrification"},
        "DNA MODIFIER",
    }};
    return wordings;
}

}  // namespace ik::art
