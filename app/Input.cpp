// Keyboard and mouse events of the form, and the way back from a game to the
// menu that both Escape and Enter lead to.
#include <cstdio>
#include <string>

#include "app/ErrorBox.h"
#include "app/Files.h"
#include "app/Form.h"
#include "app/PointerConfinement.h"
#include "app/ScoreStore.h"
#include "assets/PictureCollection.h"
#include "audio/TrackPlayer.h"
#include "display/DXTimer.h"
#include "platform/VirtualKeys.h"

namespace ik {

void TForm1::FormKeyDown(uint16_t key) {
    if (screen == Screen::justloading) {
        pulse_alpha = 0;
        pulse_step = 0;
        is_unlocked();
        screen = Screen::mainmenu;
    }
    // QUIRK: Escape leaves only a game that still runs, Enter only a game
    // that is over.
    const bool accepted = (key == vk::Escape && lives > 0) || (key == vk::Return && lives <= 0);
    if (!accepted) return;
    if (screen == Screen::mainmenu && key == vk::Escape) {
        Close();
        return;
    }
    if (screen == Screen::mainmenu || screen == Screen::none) return;
    if (isInfoScreen(screen)) {
        is_unlocked();
        screen = Screen::mainmenu;
        return;
    }
    leave_game();
}

void TForm1::leave_game() {
    // A store that cannot be written says so once; the player still gets back
    // to the menu instead of retrying with every Escape.
    save_to_store([this] { update_record(); });
    return_to_menu();
}

void TForm1::return_to_menu() {
    show_loading_message();
    const std::string general = findDataFile("general.dat");
    if (general.empty()) {
        std::fprintf(stderr, "%s\n", missingDataReport({"general.dat"}).c_str());
        platform.messageBox(
            kApplicationTitle,
            translator.tr("Nepodařilo se načíst datový soubor. Zkontrolujte přítomnost souboru GENERAL.DAT"),
            MessageBoxKind::Plain);
        Close();
        return;
    }
    load_pictures("general.dat", general);
    is_unlocked();
    screen = Screen::mainmenu;
    // Only the frame timer draws the menu: a game left while paused would
    // otherwise leave the screen frozen on its last frame with no key to
    // bring it back, since the pause key is refused on the menu.
    focusPause_.forget();
    if (isPaused()) setRunning(true);
}

void TForm1::FormKeyPress(char32_t key) {
    if (screen == Screen::justloading) {
        is_unlocked();
        screen = Screen::mainmenu;
    }
    if (screen == Screen::game4) episode4_keypress(key);
    if ((key == U'p' || key == U'P' || key == U' ') && screen != Screen::mainmenu && screen != Screen::justloading &&
        !isInfoScreen(screen) && lives > 0) {
        focusPause_.forget();
        setRunning(isPaused());
    }
    if (key == U'+' || key == U'-') {
        // QUIRK: a volume above 32 from the store stays until the first key:
        // + makes it 32, - one less than it was.
        if (key == U'+') volume = volume < 31 ? volume + 1 : 32;
        else
            volume = volume > 1 ? volume - 1 : 0;
        volume_known = true;
        if (player) player->SetVolume(static_cast<uint32_t>(volume * 8));
    }
    if ((key == U'E' || key == U'e') && (screen == Screen::mainmenu || isInfoScreen(screen))) {
        easy_mode = !easy_mode;
        // The difficulty shown and the thresholds in force stay one, even when
        // the choice cannot be saved.
        save_to_store([this] { scores_ini->WriteBool("Settings", "EasyMode", easy_mode); });
        apply_thresholds();
        is_unlocked();
    }
    if ((key == U'L' || key == U'l') && (screen == Screen::mainmenu || isInfoScreen(screen))) switch_language();
}

// The game counts as paused while the frame timer is off: pausing stops the
// frame timer, both interval timers and the music; running again starts the
// module from its beginning and the music cue of the next frames seeks back.
void TForm1::setRunning(bool running) {
    // QUIRK: resumed music does not go on where it stopped: it starts again
    // at the beginning of the screen's stretch.
    if (player) {
        if (running) player->Play();
        else
            player->Stop();
    }
    DXTimer1->Enabled = running;
    Timer1->setEnabled(running);
    Timer2->setEnabled(running);
}

bool TForm1::isPaused() const { return !DXTimer1->Enabled; }

bool TForm1::episodeInPlay() const { return isGameScreen(screen) && lives > 0 && !isPaused(); }

void TForm1::updatePointerConfinement() {
    // Ctrl+G holds until the game is next paused or left.
    if (!episodeInPlay()) pointerReleasedByPlayer_ = false;
    const bool confine = shouldConfinePointer({screen, lives, isPaused(), platform.active(), pointerReleasedByPlayer_});
    if (confine == pointerConfined_) return;
    pointerConfined_ = confine;
    platform.confinePointer(confine);
}

void TForm1::DXDraw1MouseDown() {
    if (screen == Screen::game3) episode3_shoot();
}

}  // namespace ik
