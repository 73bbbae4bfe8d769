// A message catalogue as a damaged disk, a cut download or a hand-made file may
// leave it: either it is refused with a reason, or every text it translates
// keeps the original's format markers, so that filling them can never read
// past what the game passes.
#include <cstdint>
#include <string>
#include <string_view>

#include "app/MessageCatalog.h"
#include "app/Translator.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string problem;
    const auto catalog = ik::MessageCatalog::parse(bytes, problem);
    if (!catalog) {
        if (problem.empty()) __builtin_trap();
        return 0;
    }
    // Every text the bytes could hold as an original: any part between NULs.
    const auto shared = std::make_shared<const ik::MessageCatalog>(*catalog);
    const ik::Translator translator("xx", shared);
    size_t start = 0;
    for (size_t end = 0; end <= size; ++end) {
        if (end < size && data[end] != 0) continue;
        const std::string original(bytes.substr(start, end - start));
        start = end + 1;
        const std::string* translation = catalog->find(original);
        if (!translation) continue;
        std::string wanted, given;
        if (!ik::formatMarkers(original, wanted) || !ik::formatMarkers(*translation, given) || wanted != given)
            __builtin_trap();
        translator.trf(original.c_str(), {"1", "2", "3"});
    }
    return 0;
}
