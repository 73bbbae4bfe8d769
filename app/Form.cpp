// The shell: start-up, the frame tick, the two interval timers, deactivation
// and close. Input, the score store, the music cues, the screens and the
// episodes are further methods of TForm1 in their own files.
#include "app/Form.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/DXInput.h"
#include "app/ErrorBox.h"
#include "app/Files.h"
#include "app/Language.h"
#include "app/MenuButtons.h"
#include "app/MusicCues.h"
#include "app/ScoreStore.h"
#include "assets/PictureCollection.h"
#include "assets/WaveCollection.h"
#include "audio/DXSound.h"
#include "audio/TrackPlayer.h"
#include "audio/TrackPlayerLibrary.h"
#include "display/DXDraw.h"
#include "display/DXTimer.h"
#include "display/Drawing.h"
#include "platform/VirtualKeys.h"

namespace ik {

namespace {
const char* const kMissingDataMessage = translatable(
    "Nepodařilo se načíst datový soubor. Zkontrolujte přítomnost souborů GENERAL.DAT a WAVES.DAT "
    "ve složce hry.");
// The frame gate: a frame is drawn only when at least this many milliseconds passed.
constexpr double kFrameGateMs = 3.3333333333333335;

// Shown at start-up when the player has no working music library. The file
// is named in capitals, as the original named its own; each system has its
// own name for it.
const char* const kMissingLibraryMessage = translatable(
    "Nepodařilo se načíst zvukovou knihovnu. Zkontrolujte přítomnost souboru %s ve složce hry "
    "nebo systémové složce.");

std::string upperCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    return text;
}
}  // namespace

const char* const kApplicationTitle = "Ironkeel - Gubbinz vol.1";

TForm1::TForm1(Platform& platformIn, FormOptions optionsIn)
    : platform(platformIn), options(std::move(optionsIn)), errors_(platformIn) {
    DXDraw1 = std::make_unique<TDXDraw>(platform);
    DXTimer1 = std::make_unique<TDXTimer>(platform);
    DXTimer1->ActiveOnly = true;
    DXTimer1->Interval = 0;
    DXTimer1->OnTimer = [this](int lagCount) { DXTimer1Timer(lagCount); };
    DXTimer1->OnDeactivate = [this] { DXTimer1Deactivate(); };
    DXImageList1 = std::make_unique<TDXImageList>();
    DXImageList1->SetDXDraw(DXDraw1.get());
    LanguagePictures = std::make_unique<TDXImageList>();
    LanguagePictures->SetDXDraw(DXDraw1.get());
    DXSound1 = std::make_unique<TDXSound>(platform);
    DXWaveList1 = std::make_unique<TDXWaveList>();
    DXWaveList1->SetDXSound(DXSound1.get());
    DXInput1 = std::make_unique<TDXInput>(platform);
    Timer1 = platform.createTimer();
    Timer1->setInterval(1000);
    Timer1->setHandler([this] { guarded([this] { Timer1Timer(); }); });
    Timer2 = platform.createTimer();
    Timer2->setInterval(0);
    Timer2->setHandler([this] { guarded([this] { Timer2Timer(); }); });
    // The sound output initialises as soon as the form is loaded, before start-up runs.
    DXSound1->Initialize();
}

TForm1::~TForm1() {
    if (!closed_) {
        Close();
    }
}

bool startUp(TForm1& form) {
    bool started = false;
    form.guarded([&] {
        form.FormCreate();
        form.Show();
        started = true;
    });
    return started;
}

void TForm1::FormCreate() {
    translator = loadTranslator(options.language);
    dot_shift = 0;
    const std::string general = findDataFile("general.dat"), waves = findDataFile("waves.dat");
    if (general.empty() || waves.empty()) {
        std::fprintf(stderr, "%s\n", missingDataReport({"general.dat", "waves.dat"}).c_str());
        platform.messageBox(kApplicationTitle, translator.tr(kMissingDataMessage), MessageBoxKind::Plain);
        exitCode_ = 1;
        Close();
        return;
    }
    load_pictures("general.dat", general);
    DXWaveList1->Items.LoadFromFile(waves);
    scores_ini = std::make_unique<TIniFile>(scoresPath(options.scoresDir));
    if (scores_ini->Refusal()) errors_.show(*scores_ini->Refusal());
    scores_ini->RemoveStaleTemporaryFiles();
    platform.showSystemPointer(false);
    rng.setSeed(options.seedGiven ? options.seed : platform.timeOfDayMs());
    seconds = 0;
    last_frame_tick = platform.ticks();
    for (int n = 1; n <= 5; ++n) {
        menu_buttons[n] = menuButton(n);
        info_buttons[n] = infoButton(n);
    }
    keyboard_rect = {325, 500, 475, 580};
    player = std::make_unique<TTrackPlayer>(platform, options.libraryDir, options.musicHeard);
    if (!player->LibraryFound()) {
        platform.messageBox("Confirm", translator.trf(kMissingLibraryMessage, {upperCase(trackAudioFileName())}),
                            MessageBoxKind::Plain);
    } else {
        volume = scores_ini->ReadInteger("Settings", "Volume", 16);
        volume_known = true;
        player->SetVolume(static_cast<uint32_t>(volume * 8));
        music_pos = 0;
        easy_mode = scores_ini->ReadBool("Settings", "EasyMode", false);
        pulse_alpha = 5;
        pulse_step = 5;
        screen = Screen::justloading;
    }
    apply_thresholds();
    is_unlocked();
}

void TForm1::Show() {
    // The display initialises when the form is first shown; the image list
    // then uploads the pictures of "general.dat".
    if (!closed_) {
        DXDraw1->Initialize();
    }
}

void TForm1::DXTimer1Timer(int /*lagCount*/) {
    // QUIRK: once a game is over nothing is drawn again, so the frame with its
    // summary stays frozen on screen until Enter; the seconds timer runs on.
    if (screen == Screen::mainmenu || lives > 0 || screen == Screen::justloading) {
        drawit();
    }
}

void TForm1::drawit() {
    uint32_t elapsed = platform.ticks() - last_frame_tick;
    if (static_cast<double>(elapsed) < kFrameGateMs) {
        return;
    }
    if (!DXDraw1->CanDraw()) {
        return;
    }
    if (!options.no3d) {
        DXDraw1->BeginScene2D();
    }
    TDirectDrawSurface& back = DXDraw1->Surface();
    // An open scene has just cleared the back buffer to the same black; a
    // second pass over the whole frame would change no pixel.
    if (!DXDraw1->SceneOpen()) FillSurface(back, 0);
    if (screen == Screen::justloading) {
        draw_loading_screen();
    }
    if (screen == Screen::mainmenu) mainmenu();
    if (screen == Screen::game1) episode1();
    if (screen == Screen::game2) episode2();
    if (screen == Screen::game3) episode3();
    if (screen == Screen::game4) episode4();
    if (screen == Screen::info1) info1();
    if (screen == Screen::info2) info2();
    if (screen == Screen::info3) info3();
    if (screen == Screen::info4) info4();
    if (screen == Screen::info5) info5();
    DXDraw1->Flip();
    ++frames_drawn;
    if (!options.no3d) {
        DXDraw1->EndScene2D();
    }
    last_frame_tick = platform.ticks();
}

void TForm1::draw_loading_screen() {
    playmusic(62.83, 75);
    TDirectDrawSurface& back = DXDraw1->Surface();
    DXImageList1->Items.Find("loadingscreen").DrawPattern(back, 0, 0, 0);
    picture("keyboard").BlendPattern(back, keyboard_rect, 0, pulse_alpha);
    if (pulse_alpha < 5 || pulse_alpha > 250) {
        pulse_step = -pulse_step;
    }
    pulse_alpha = std::clamp(pulse_alpha, 5, 250);
    pulse_alpha += pulse_step;
}

void TForm1::Timer1Timer() {
    if (screen == Screen::mainmenu) {
        seconds = 0;
        Timer1->setEnabled(false);
    } else {
        ++seconds;
    }
}

void TForm1::Timer2Timer() {
    if (screen == Screen::game2) {
        episode2_rest();
    } else if (screen == Screen::game3) {
        episode3_burn();
    } else {
        Timer2->setEnabled(false);
    }
}

void TForm1::DXTimer1Deactivate() {
    // The original ends when another application takes over, and with it the
    // game's record; only on request, and then the record is kept.
    if (options.quitOnFocusLoss) {
        storeRunningRecord();
        Close();
    }
}

void TForm1::storeRunningRecord() {
    if (isGameScreen(screen) && scores_ini) guarded([this] { update_record(); });
}

void TForm1::Close() {
    if (closed_) {
        return;
    }
    closed_ = true;
    FormClose();
    platform.quit();
}

void TForm1::FormClose() {
    if (scores_ini && volume_known) {
        save_to_store([this] { scores_ini->WriteInteger("Settings", "Volume", volume); });
    }
    if (player) {
        player->Close();
        player.reset();
    }
    scores_ini.reset();
    deleteTempMusic();
}

// --- events from the platform loop ---

void TForm1::onKeyDown(uint16_t virtualKey, bool /*repeat*/) {
    if (virtualKey == vk::letter('G') && platform.keyHeld(vk::Control)) {
        pointerReleasedByPlayer_ = true;
        updatePointerConfinement();
    }
    guarded([&] { FormKeyDown(virtualKey); });
    updatePointerConfinement();
}

void TForm1::onKeyUp(uint16_t /*virtualKey*/) {}

void TForm1::onChar(char32_t character) {
    guarded([&] { FormKeyPress(character); });
    updatePointerConfinement();
}

void TForm1::onMouseDown(MouseButton /*button*/, Point /*at*/) {
    guarded([&] { DXDraw1MouseDown(); });
}

void TForm1::onMouseUp(MouseButton /*button*/, Point /*at*/) {}

void TForm1::onClick() {
    guarded([&] { DXDraw1Click(); });
}

void TForm1::onActivate(bool active) {
    guarded([&] {
        // Behind another window nothing of a running game may run on: it
        // pauses as with the pause key, and only that pause ends with the focus.
        if (!active && !options.quitOnFocusLoss && focusPause_.focusLost(episodeInPlay())) setRunning(false);
        DXTimer1->appActivated(active);
        if (active && focusPause_.focusGained(isPaused())) setRunning(true);
    });
    updatePointerConfinement();
}

void TForm1::onCloseRequest() { Close(); }

void TForm1::onTerminate() {
    storeRunningRecord();
    Close();
}

void TForm1::onDisplayLost() {
    storeRunningRecord();
    Close();
}

void TForm1::onIdle() {
    guarded([&] {
        // A sound device that went away is looked for again, and its sounds restored.
        DXSound1->CheckDevice();
        if (DXTimer1->Enabled) {
            DXTimer1->idle();
        }
    });
    if (!closed_) updatePointerConfinement();
}

void TForm1::onDisplayReset() { DXDraw1->markSurfacesLost(); }

}  // namespace ik
