// The main form: owns every component and all game state. The menu, the
// information pages and the episodes are operations of this one class, spread
// over app/, screens/ and episodes/; each episode keeps its own fields in its
// EpisodeNFields struct so that they keep their plain names here. The structs
// live beside the form, as everything the form holds does: the form's shell
// in app/ sees no header of the screens or the episodes.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>

#include "app/Episode1Fields.h"
#include "app/Episode2Fields.h"
#include "app/Episode3Fields.h"
#include "app/Episode4Fields.h"
#include "app/ErrorBox.h"
#include "app/FocusPause.h"
#include "app/Random.h"
#include "app/Screen.h"
#include "app/Translator.h"
#include "display/Rect.h"
#include "platform/Platform.h"

namespace ik {

class TDXDraw;
class TDXTimer;
class TDXImageList;
class TDXSound;
class TDXWaveList;
class TDXInput;
class TTrackPlayer;
class TIniFile;
class TDirectDrawSurface;
class TPictureCollectionItem;

// Command-line settings that reach the form.
struct FormOptions {
    bool no3d = false;             // first argument exactly "-no3d"
    bool windowed = false;         // start in a window
    bool quitOnFocusLoss = false;  // the original's rule: losing the focus ends the program
    std::string scoresDir;         // where "scores.dat" lives (empty: the default)
    std::string libraryDir;        // where libtrackaudio.so is looked for
    bool seedGiven = false;
    uint32_t seed = 0;
    bool musicHeard = true;  // false: a replay checking only what the game did, which needs no decoded music
    std::string language = kOriginalLanguage;  // the language the run starts in
};

// Minutes and seconds as the status lines write them: 65 -> "1:05", 600 -> "10:00".
std::string format_minutes(int32_t total);

class TDirectDrawSurfaceCanvas;
// The episodes' status lines: Courier New, bold, 13 pt, white, on a clear background.
void status_text_font(TDirectDrawSurfaceCanvas& canvas);

class TForm1 : public EventSink,
               public Episode1Fields,
               public Episode2Fields,
               public Episode3Fields,
               public Episode4Fields {
public:
    TForm1(Platform& platform, FormOptions options);
    ~TForm1() override;
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    // --- shell ---
    void FormCreate();
    void Show();  // first showing of the form: the display initialises
    void DXTimer1Timer(int lagCount);
    void drawit();
    void draw_loading_screen();
    void Timer1Timer();
    void Timer2Timer();
    void DXTimer1Deactivate();
    void FormClose();
    void Close();  // closes the form: FormClose, then the loop ends
    bool closed() const { return closed_; }
    int exitCode() const { return exitCode_; }

    // The shared random generator: every draw of the episodes goes through it.
    int32_t Random(int32_t n) { return rng(n); }
    RandomGenerator rng;

    // Runs an event handler; an error it raises is shown in the application's
    // error box (once per distinct message) and the loop goes on.
    template <typename Handler>
    void guarded(Handler&& handler) {
        try {
            handler();
        } catch (const std::exception& error) {
            errors_.show(error.what());
        }
    }

    // --- input ---
    void FormKeyDown(uint16_t key);
    void FormKeyPress(char32_t key);
    void DXDraw1MouseDown();
    void DXDraw1Click();
    void leave_game();      // the leave-a-game path of the key-down handler
    void return_to_menu();  // its way to the menu: "general.dat" again, the menu drawn

    // --- pause, focus and pointer ---
    // Pausing stops the frame timer, both interval timers and the music.
    void setRunning(bool running);
    bool isPaused() const;
    // An episode is being played: not paused, not on its game-over panel.
    bool episodeInPlay() const;
    // The record of the game on screen, stored when the program ends from outside.
    void storeRunningRecord();
    void updatePointerConfinement();
    bool pointerConfined() const { return pointerConfined_; }

    // --- score store, unlocking, settings ---
    static int32_t verify_value(int32_t score);
    void apply_thresholds();
    void is_unlocked();
    void update_record();
    void read_record(const std::string& section);
    // Runs a write to the store unless the store was refused at start-up (the
    // player was told then); a write the system refuses is shown once and the
    // handler goes on.
    void save_to_store(const std::function<void()>& write);

    // --- language ---
    // Loads data file `name` found at `path` into the image list, and beside
    // it the chosen language's variant of its pictures with words
    // ("NAME.CODE.dat") when there is one.
    void load_pictures(const std::string& name, const std::string& path);
    void load_language_pictures();
    // The picture of that name: the language's variant, else the data file's own.
    TPictureCollectionItem& picture(const std::string& name) const;
    // The L key: the next language, remembered in the store's settings.
    void switch_language();

    // --- music cues ---
    void playmusic(double start, double end);

    // --- screens ---
    void mainmenu();
    void info1();
    void info2();
    void info3();
    void info4();
    void info5();
    void open_info(Screen page);

    // --- what the episodes share ---
    void show_loading_message();      // "Nahrávám..." on black, flipped
    bool load_series(int episode);    // false (and the form closed) when the file is missing
    bool begin_episode(int episode);  // "none", the loading message and the series file
    void countdown(const std::function<void()>& drawBackground);
    void give_up_key();   // R, polled: ends a running game
    void draw_summary();  // the game-over panel with the stored record of `screen`

    // --- episodes ---
    void episode1_init();
    void episode1_layout();
    void episode1();
    void episode1_bonus_triggers();
    double episode1_fall_factor() const;
    void episode1_item(int i);  // catch, respawn, fall and draw item i
    void episode2_init();
    void episode2_layout();
    void episode2();
    void episode2_levelup();
    void episode2_rest();  // the Timer2 resting step
    void episode3_init();
    void episode3_layout();
    void episode3();
    void episode3_levelup();
    void episode3_burn();  // the Timer2 burning step
    void episode3_aim();
    void episode3_shoot();  // the mouse button: a soldier sets off from the aim
    void episode3_bounce();
    void episode4_init();
    void episode4_layout();
    void episode4();
    void episode4_levelup();
    void episode4_lose_life();
    void episode4_keypress(char32_t key);  // a typed character judged against the code
    char random_digit();

    // --- EventSink ---
    void onKeyDown(uint16_t virtualKey, bool repeat) override;
    void onKeyUp(uint16_t virtualKey) override;
    void onChar(char32_t character) override;
    void onMouseDown(MouseButton button, Point at) override;
    void onMouseUp(MouseButton button, Point at) override;
    void onClick() override;
    void onActivate(bool active) override;
    void onCloseRequest() override;
    void onIdle() override;
    void onDisplayReset() override;
    void onDisplayLost() override;
    void onTerminate() override;

    // --- components (owned) ---
    Platform& platform;
    FormOptions options;
    std::unique_ptr<TDXDraw> DXDraw1;
    std::unique_ptr<TDXTimer> DXTimer1;
    std::unique_ptr<TDXImageList> DXImageList1;
    std::unique_ptr<TDXImageList> LanguagePictures;  // the variants of the loaded data file's pictures
    std::unique_ptr<TDXSound> DXSound1;
    std::unique_ptr<TDXWaveList> DXWaveList1;
    std::unique_ptr<TDXInput> DXInput1;
    std::unique_ptr<IntervalTimer> Timer1;
    std::unique_ptr<IntervalTimer> Timer2;
    std::unique_ptr<TTrackPlayer> player;
    std::unique_ptr<TIniFile> scores_ini;
    Translator translator;  // every text the player sees goes through it

    // --- shared state ---
    Screen screen = Screen::unset;
    uint32_t last_frame_tick = 0;
    int32_t pulse_alpha = 0;
    int32_t pulse_step = 0;
    TRect keyboard_rect{};
    int32_t lives = 0;
    int32_t score = 0;
    int32_t seconds = 0;
    int32_t total_seconds = 0;
    int32_t level = 0;
    int32_t volume = 0;
    bool volume_known = false;  // read at start-up or changed by a key: only then saved
    uint32_t music_pos = 0;
    bool easy_mode = false;
    bool unlocked[5] = {};         // [2..4]
    int32_t unlock_score[5] = {};  // [2..4]
    int32_t stored_score = 0;
    int32_t stored_verify = 0;
    // Told of every record that reaches the store (a recording keeps them).
    std::function<void(const std::string& section, int32_t score)> onRecordUpdate;
    TRect menu_buttons[6]{};  // [1..5]
    TRect info_buttons[6]{};  // [1..5]
    int32_t dot_shift = 0;
    std::unique_ptr<TDirectDrawSurface> menu_backdrop;
    bool gameover_played = false;
    std::string pictures_file;  // the data file whose pictures are loaded ("general.dat", ...)

    // Frames drawn by the frame function (the count-downs' own flips do not count).
    uint64_t frames_drawn = 0;

private:
    FocusPause focusPause_;
    bool pointerReleasedByPlayer_ = false;
    bool pointerConfined_ = false;
    bool closed_ = false;
    int exitCode_ = 0;
    ErrorBox errors_;
};

// The program's start: FormCreate, then the first showing, with errors shown
// as the running game shows them. False when start-up failed.
bool startUp(TForm1& form);

}  // namespace ik
