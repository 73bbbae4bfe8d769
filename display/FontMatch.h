// Where a face of a family comes from: fontconfig on a desktop, the site's own
// font folder in the browser. The build links one of the two.
#pragma once

#include <optional>
#include <string>

namespace ik {

struct FaceFile {
    std::string path;
    int index = 0;       // face index within the file
    std::string family;  // the family the file holds
    bool embolden = false;
};

// Makes the matcher ready; called once before the first matchFace.
void startFontMatching();
// Gives back what the matcher keeps; called once after the last matchFace.
void stopFontMatching();
// The file of the best face for a family, weight and slant; none when the
// matcher has nothing at all.
std::optional<FaceFile> matchFace(const std::string& family, bool bold, bool italic);

}  // namespace ik
