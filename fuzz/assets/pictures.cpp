// A picture file read as the game reads "general.dat": every decoded picture
// is expanded and laid out into patterns.
#include <cstdint>

#include "display/Exception.h"

#include "assets/PictureCollection.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ik::TPictureCollection pictures;
    try {
        ik::TMemoryStream stream(std::vector<uint8_t>(data, data + size));
        pictures.LoadFromStream(stream);
    } catch (const ik::Exception&) {
        // Items read before the failure stay and must be usable.
    }
    for (int i = 0; i < pictures.Count(); ++i) {
        const ik::TPictureCollectionItem& item = pictures.Items(i);
        const ik::RgbImage& image = item.Picture();
        if (!image.Empty() && image.pixels.size() != static_cast<size_t>(image.width) * image.height) __builtin_trap();
        ik::ComputePatternLayout(item.Grid());
        pictures.IndexOf(item.Name());
    }
    return 0;
}
