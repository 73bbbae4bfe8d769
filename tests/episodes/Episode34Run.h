// Episodes 3 and 4 played through the headless mode, with records that open
// both of them.
#pragma once

#include "tests/support/GameRun.h"
#include "tests/support/Records.h"

namespace ik::test {

class Episode34Run : public GameRun {
protected:
    void SetUp() override {
        GameRun::SetUp();
        storeScores(kEpisodes3And4Open);
    }
};

}  // namespace ik::test
