#include <iostream>

#include <nlohmann/json.hpp>

#include "tools/ironkeel-dat/DatFile.h"

namespace ik::dat {

namespace {
uint32_t formatField(const std::vector<uint8_t>& format, size_t offset, size_t size) {
    if (format.size() < offset + size) return 0;
    uint32_t value = 0;
    for (size_t i = 0; i < size; ++i) value |= static_cast<uint32_t>(format[offset + i]) << (8 * i);
    return value;
}

nlohmann::ordered_json pictureEntry(int index, const TPictureCollectionItem& item) {
    const auto& graphic = item.PictureData().Graphic();
    return {
        {"index", index},
        {"name", item.Name()},
        {"width", item.Width()},
        {"height", item.Height()},
        {"bitcount", graphic ? graphic->BitCount() : 0},
        {"graphic", item.PictureData().GraphicClass()},
        {"compression", graphic ? graphic->Compression() : 0},
        {"pattern_width", item.PatternWidth},
        {"pattern_height", item.PatternHeight},
        {"skip_width", item.SkipWidth},
        {"skip_height", item.SkipHeight},
        {"system_memory", item.SystemMemory},
        {"transparent", item.Transparent},
        {"transparent_color", item.TransparentColor()},
        {"patterns", computePatternLayout(item.Grid()).PatternCount()},
    };
}

nlohmann::ordered_json waveEntry(int index, const TWaveCollectionItem& item) {
    const auto& format = item.Wave().Format();
    return {
        {"index", index},
        {"name", item.Name()},
        {"looped", item.Looped()},
        {"max_playing_count", item.MaxPlayingCount()},
        {"format_tag", formatField(format, 0, 2)},
        {"channels", formatField(format, 2, 2)},
        {"rate", formatField(format, 4, 4)},
        {"bits", formatField(format, 14, 2)},
        {"format_size", item.Wave().FormatSize()},
        {"data_size", item.Wave().Size()},
    };
}
}  // namespace

int List(const std::string& path, Kind kind) {
    DatFile dat = loadDatFile(path, kind);
    // Names are bytes of the data file: never let one stop the listing.
    auto print = [](const nlohmann::ordered_json& entry) {
        std::cout << entry.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
    };
    if (dat.pictures) {
        for (int i = 0; i < dat.pictures->Count(); ++i) print(pictureEntry(i, dat.pictures->Items(i)));
    } else {
        for (int i = 0; i < dat.waves->Count(); ++i) print(waveEntry(i, dat.waves->Items(i)));
    }
    return 0;
}

}  // namespace ik::dat
