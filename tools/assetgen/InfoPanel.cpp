// The game-over panel shared in layout by all four series files.
#include "tools/assetgen/Look.h"
#include "tools/assetgen/Pictures.h"
#include "tools/assetgen/Text.h"

namespace ik::art {

Picture infoPanel(const Wording& wording, int episode, const std::function<void(Image&, Box)>& emblem,
                  Storage storage) {
    Image img(600, 400);
    // Panel coordinates: the result lines sit at y 190-280, the white line at y 350.
    Shape frame = rect(2, 2, 598, 398, 14);
    fill(img, frame, colour::ink);
    Shape brassRim = rect(4, 4, 596, 396, 12);
    fill(img, brassRim, bevel(brassRim, solid(colour::brass), 6, 0.5f));
    Shape head = rect(14, 14, 586, 176, 8);
    fill(img, head, bevel(head, linear(0, 14, colour::slate, 0, 176, colour::navy), 4, -0.4f));
    Shape paper = rect(14, 180, 586, 334, 6);
    fill(img, paper, bevel(paper, solid(colour::parchment), 4, 0.25f));
    grain(img, {14, 180, 586, 334}, 0.03f, 77);
    for (float y = 218; y < 330; y += 30) fill(img, rect(70, y, 560, y + 1), withAlpha(colour::brass, 0.35f));
    Shape foot = rect(14, 338, 586, 386, 8);
    fill(img, foot, bevel(foot, solid(colour::night), 4, -0.4f));
    const Font titleFont{"Times New Roman", 30, true};
    drawShadowedText(img, 200, 30, wording.gameOver, titleFont, colour::brassLight, colour::ink, 2);
    drawShadowedText(img, 200, 84, wording.episodeTitles[episode - 1], Font{"Times New Roman", 18, true}, colour::cream,
                     colour::ink, 1);
    emblem(img, {36, 28, 176, 162});
    for (float x : {24.0f, 576.0f})
        for (float y : {24.0f, 376.0f}) rivet(img, x, y, 3);
    return {"info", img, storage, 0, 0, true};
}

}  // namespace ik::art
