// The rules for the focus and the pointer, apart from any window: what a
// focus loss pauses and what its return resumes, and when the pointer is kept
// inside the window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/FocusPause.h"
#include "app/PointerConfinement.h"

namespace ik {
namespace {

// A game as far as the focus rule sees it: running or paused.
struct Game {
    bool running = true;
    FocusPause focus;

    void loseFocus() {
        if (focus.focusLost(running)) running = false;
    }
    void gainFocus() {
        if (focus.focusGained(!running)) running = true;
    }
    void pauseKey() {
        focus.forget();
        running = !running;
    }
};

TEST(FocusPause, ResumesOnlyWhatTheFocusLossPaused) {
    struct Step {
        const char* what;
        void (Game::*act)();
        bool runningAfter;
    };
    struct Story {
        const char* name;
        bool runningAtStart;
        std::vector<Step> steps;
    };
    const std::vector<Story> stories = {
        {"a running game pauses and resumes",
         true,
         {{"lose", &Game::loseFocus, false}, {"gain", &Game::gainFocus, true}}},
        {"a game the player paused stays paused",
         false,
         {{"lose", &Game::loseFocus, false}, {"gain", &Game::gainFocus, false}}},
        {"two losses in a row resume once",
         true,
         {{"lose", &Game::loseFocus, false},
          {"lose", &Game::loseFocus, false},
          {"gain", &Game::gainFocus, true},
          {"gain", &Game::gainFocus, true}}},
        {"the player resumed and paused again meanwhile",
         true,
         {{"lose", &Game::loseFocus, false},
          {"P", &Game::pauseKey, true},
          {"P", &Game::pauseKey, false},
          {"gain", &Game::gainFocus, false}}},
        {"a pause of the player's after the return is his",
         true,
         {{"lose", &Game::loseFocus, false},
          {"gain", &Game::gainFocus, true},
          {"P", &Game::pauseKey, false},
          {"lose", &Game::loseFocus, false},
          {"gain", &Game::gainFocus, false}}},
    };
    for (const Story& story : stories) {
        Game game;
        game.running = story.runningAtStart;
        for (size_t i = 0; i < story.steps.size(); ++i) {
            (game.*story.steps[i].act)();
            EXPECT_EQ(game.running, story.steps[i].runningAfter)
                << story.name << ", step " << i + 1 << " (" << story.steps[i].what << ")";
        }
    }
}

TEST(PointerConfinement, OnlyAnEpisodeInPlayKeepsThePointer) {
    struct Case {
        PointerSituation situation;
        bool confined;
    };
    const std::vector<Case> cases = {
        {{Screen::game1, 3, false, true, false}, true},
        {{Screen::game2, 1, false, true, false}, true},
        {{Screen::game3, 5, false, true, false}, true},
        {{Screen::game4, 2, false, true, false}, true},
        {{Screen::game3, 5, true, true, false}, false},   // paused
        {{Screen::game3, 0, false, true, false}, false},  // game-over panel
        {{Screen::game3, -1, false, true, false}, false},
        {{Screen::game3, 5, false, false, false}, false},  // another window has the focus
        {{Screen::game3, 5, false, true, true}, false},    // Ctrl+G
        {{Screen::mainmenu, 1, false, true, false}, false},
        {{Screen::info3, 1, false, true, false}, false},
        {{Screen::none, 3, false, true, false}, false},  // the count-down
        {{Screen::justloading, 0, false, true, false}, false},
        {{Screen::unset, 0, false, true, false}, false},
    };
    for (const Case& c : cases) {
        const PointerSituation& s = c.situation;
        EXPECT_EQ(shouldConfinePointer(s), c.confined)
            << "'" << s.screen << "' lives " << s.lives << (s.paused ? " paused" : "") << (s.active ? "" : " unfocused")
            << (s.releasedByPlayer ? " released" : "");
    }
}

}  // namespace
}  // namespace ik
