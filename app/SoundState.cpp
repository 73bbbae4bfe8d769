#include "app/SoundState.h"

#include "app/Form.h"
#include "audio/DXSound.h"

namespace ik {

void dumpSoundState(const TForm1& form, nlohmann::json& state) {
    nlohmann::json sounds = nlohmann::json::object();
    if (form.DXSound1) {
        for (const auto& [name, count] : form.DXSound1->PlayCounts()) sounds[name] = count;
    }
    state["sounds"] = sounds;
}

}  // namespace ik
