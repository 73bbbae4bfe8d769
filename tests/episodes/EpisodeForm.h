// A real TForm1 on the headless platform, started in a working folder of its
// own that holds the game's generated data files, so that a test can put the
// episode into any state and run its frame and timer steps one at a time.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/Form.h"
#include "platform/headless/HeadlessPlatform.h"

namespace ik::test {

class EpisodeForm : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // A fresh form and folder, for each row of a table of cases.
    void restart() {
        TearDown();
        SetUp();
    }

    // How many times the sound has been played since the form was made.
    int plays(const std::string& sound) const;
    // Holds or releases a key as the keyboard state will next read it.
    void hold(uint16_t virtualKey);
    void release(uint16_t virtualKey);
    // The back buffer as the last drawing left it.
    std::vector<uint16_t> backBuffer() const;

    std::filesystem::path dir;
    std::unique_ptr<HeadlessPlatform> platform;
    std::unique_ptr<TForm1> form;

private:
    void deliverQueued();
    std::filesystem::path previous;
};

}  // namespace ik::test
