// A picture file read as the game reads "general.dat": every decoded picture
// is expanded and laid out into patterns.
#include <cstdint>

#include "display/Exception.h"

#include "assets/PictureCollection.h"

namespace {
// Larger inputs only copy more pixel bytes; the seeds, the game's own files
// with their pictures cut down, fit well within this.
constexpr size_t kLargestInput = 65536;
// Large pictures run the same code as small ones; filling millions of pixels
// per input would only slow the search.
constexpr int64_t kLargestDecoded = int64_t{1} << 12;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > kLargestInput) return -1;
    ik::TPictureCollection pictures;
    try {
        ik::TMemoryStream stream(std::vector<uint8_t>(data, data + size));
        pictures.LoadFromStream(stream);
    } catch (const ik::Exception&) {
        // Items read before the failure stay and must be usable.
    }
    for (int i = 0; i < pictures.Count(); ++i) {
        const ik::TPictureCollectionItem& item = pictures.Items(i);
        if (int64_t{item.Width()} * item.Height() <= kLargestDecoded) {
            const ik::RgbImage& image = item.Picture();
            if (!image.Empty() && image.pixels.size() != static_cast<size_t>(image.width) * image.height)
                __builtin_trap();
        }
        // Every pattern starts on one of the surfaces. Cells that overlap
        // (negative gaps) may run past the edge of their block; drawing clips
        // them there.
        const ik::PatternLayout layout = ik::computePatternLayout(item.Grid());
        for (int index : {0, layout.PatternCount() / 2, layout.PatternCount() - 1}) {
            const auto pattern = layout.Pattern(index);
            if (!pattern) continue;
            const auto surface = static_cast<size_t>(pattern->surface);
            if (surface >= layout.surfaces.size()) __builtin_trap();
            const ik::TRect& area = layout.surfaces[surface];
            if (pattern->rect.Left < 0 || pattern->rect.Top < 0 || pattern->rect.Left >= area.Width() ||
                pattern->rect.Top >= area.Height())
                __builtin_trap();
        }
        pictures.IndexOf(item.Name());
    }
    return 0;
}
