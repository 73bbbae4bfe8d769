#include "EpisodeForm.h"

#include <cstdlib>

#include "audio/DXSound.h"
#include "display/DXDraw.h"
#include "display/DXTimer.h"
#include "display/Surface.h"

namespace ik::test {

namespace fs = std::filesystem;

void EpisodeForm::SetUp() {
    std::string pattern = (fs::path(::testing::TempDir()) / "ep12-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir = pattern;
    for (const fs::directory_entry& entry : fs::directory_iterator(IK_DATA_DIR)) {
        if (entry.path().extension() == ".dat") fs::create_symlink(entry.path(), dir / entry.path().filename());
    }
    previous = fs::current_path();
    fs::current_path(dir);

    platform = std::make_unique<HeadlessPlatform>();
    FormOptions options;
    options.scoresDir = dir.string();
    options.libraryDir = IK_LIBRARY_DIR;
    options.seedGiven = true;
    options.seed = 1;
    form = std::make_unique<TForm1>(*platform, options);
    form->FormCreate();
    form->Show();
    ASSERT_FALSE(form->closed());
    // The test calls the frame and timer steps itself.
    form->DXTimer1->Enabled = false;
}

void EpisodeForm::TearDown() {
    form.reset();
    platform.reset();
    fs::current_path(previous);
    std::error_code ignored;
    fs::remove_all(dir, ignored);
}

int EpisodeForm::plays(const std::string& sound) const {
    const auto& counts = form->DXSound1->PlayCounts();
    auto found = counts.find(sound);
    return found == counts.end() ? 0 : found->second;
}

void EpisodeForm::deliverQueued() {
    bool once = false;
    platform->pump(*form, [&once] { return std::exchange(once, true); });
}

void EpisodeForm::hold(uint16_t virtualKey) {
    platform->queueKeyDown(virtualKey);
    deliverQueued();
}

void EpisodeForm::release(uint16_t virtualKey) {
    platform->queueKeyUp(virtualKey);
    deliverQueued();
}

std::vector<uint16_t> EpisodeForm::backBuffer() const {
    TDirectDrawSurface& back = form->DXDraw1->Surface();
    std::vector<uint16_t> pixels;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) pixels.push_back(back.Pixel(x, y));
    return pixels;
}

}  // namespace ik::test
