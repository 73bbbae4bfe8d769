#include <filesystem>
#include <fstream>
#include <set>

#include <nlohmann/json.hpp>

#include "assets/AssetErrors.h"
#include "assets/ComponentWriter.h"
#include "assets/Dib.h"
#include "assets/PngFile.h"
#include "assets/WavFile.h"
#include "tools/ironkeel-dat/DatFile.h"

namespace ik::dat {

namespace {
using nlohmann::json;

const std::set<std::string> kPictureFields = {"name",        "file",          "graphic",        "bits",
                                              "rle",         "pattern_width", "pattern_height", "skip_width",
                                              "skip_height", "system_memory", "transparent",    "transparent_color"};
const std::set<std::string> kWaveFields = {"name", "file", "looped", "max_playing_count"};

void checkFields(const json& entry, const std::set<std::string>& known) {
    if (!entry.is_object()) throw Exception("every item must be a JSON object");
    for (const auto& [key, value] : entry.items()) {
        if (!known.count(key)) throw Exception(Format("unknown field \"%s\"", key));
    }
    if (!entry.contains("name") || !entry.contains("file")) throw Exception("every item needs \"name\" and \"file\"");
}

std::vector<uint8_t> pictureData(const json& entry, const RgbImage& image) {
    std::string graphic = entry.value("graphic", std::string("TDIB"));
    DibEncoding encoding{entry.value("bits", 24), entry.value("rle", false)};
    std::vector<uint8_t> block{static_cast<uint8_t>(graphic.size())};
    block.insert(block.end(), graphic.begin(), graphic.end());
    if (graphic == "TDIB") {
        std::vector<uint8_t> dib = writeDib(image, encoding);
        block.insert(block.end(), dib.begin(), dib.end());
    } else if (graphic == "TBitmap") {
        std::vector<uint8_t> bmp = writeBitmapFile(image, encoding);
        ComponentWriter length;
        length.WriteRawInt32(static_cast<int32_t>(bmp.size()));
        std::vector<uint8_t> lengthBytes = length.Finish();
        block.insert(block.end(), lengthBytes.begin(), lengthBytes.end());
        block.insert(block.end(), bmp.begin(), bmp.end());
    } else {
        throw Exception(Format("\"graphic\" must be \"TDIB\" or \"TBitmap\", not \"%s\"", graphic));
    }
    return block;
}

void writePictureItem(ComponentWriter& w, const json& entry, const std::filesystem::path& folder) {
    checkFields(entry, kPictureFields);
    RgbImage image = readPng((folder / entry.at("file").get<std::string>()).string());
    w.WritePropertyName("Name");
    w.WriteString(entry.at("name").get<std::string>());
    w.WritePropertyName("PatternHeight");
    w.WriteInteger(entry.value("pattern_height", 0));
    w.WritePropertyName("PatternWidth");
    w.WriteInteger(entry.value("pattern_width", 0));
    w.WritePropertyName("Picture.Data");
    w.WriteBinary(pictureData(entry, image));
    w.WritePropertyName("SkipHeight");
    w.WriteInteger(entry.value("skip_height", 0));
    w.WritePropertyName("SkipWidth");
    w.WriteInteger(entry.value("skip_width", 0));
    w.WritePropertyName("SystemMemory");
    w.WriteBoolean(entry.value("system_memory", false));
    w.WritePropertyName("Transparent");
    w.WriteBoolean(entry.value("transparent", true));
    w.WritePropertyName("TransparentColor");
    w.WriteInteger(entry.value("transparent_color", 0));
}

void writeWaveItem(ComponentWriter& w, const json& entry, const std::filesystem::path& folder) {
    checkFields(entry, kWaveFields);
    TWave wave;
    readWavFile((folder / entry.at("file").get<std::string>()).string(), wave);
    w.WritePropertyName("Name");
    w.WriteString(entry.at("name").get<std::string>());
    w.WritePropertyName("Looped");
    w.WriteBoolean(entry.value("looped", false));
    w.WritePropertyName("MaxPlayingCount");
    w.WriteInteger(entry.value("max_playing_count", 0));
    w.WritePropertyName("Wave.WAVE");
    w.WriteBinary(riffWaveImage(wave));
}

std::vector<uint8_t> packManifest(const json& manifest, const std::filesystem::path& folder) {
    if (!manifest.is_object()) throw Exception("the manifest must be a JSON object");
    std::string kind = manifest.value("kind", std::string());
    bool pictures = kind == "pictures";
    if (!pictures && kind != "waves") throw Exception("\"kind\" must be \"pictures\" or \"waves\"");
    const json& items = manifest.at("items");
    if (!items.is_array()) throw Exception("\"items\" must be a JSON array");

    const char* rootClass = pictures ? "TPictureCollectionComponent" : "TWaveCollectionComponent";
    ComponentWriter w;
    w.WriteEnvelope(pictures ? "TPICTURECOLLECTIONCOMPONENT" : "TWAVECOLLECTIONCOMPONENT");
    w.WriteSignature();
    w.BeginComponent(rootClass, "");
    if (pictures) {
        w.WritePropertyName("List.ColorTable");
        w.WriteBinary(std::vector<uint8_t>(TPictureCollection::kColorTableSize, 0));
    }
    w.WritePropertyName("List");
    w.BeginCollection();
    for (size_t i = 0; i < items.size(); ++i) {
        const json& entry = items[i];
        std::string file = entry.is_object() ? entry.value("file", std::string()) : std::string();
        try {
            w.BeginItem();
            if (pictures) {
                writePictureItem(w, entry, folder);
            } else {
                writeWaveItem(w, entry, folder);
            }
            w.EndItem();
        } catch (const std::exception& error) {
            throw Exception("item " + std::to_string(i) + (file.empty() ? "" : " (" + file + ")") + ": " +
                            error.what());
        }
    }
    w.EndCollection();
    w.WriteEndMarker();
    w.WriteEndMarker();
    return w.Finish();
}
}  // namespace

int pack(const std::string& manifestPath, const std::string& outPath) {
    std::vector<uint8_t> text = readWholeFile(manifestPath);
    std::vector<uint8_t> bytes;
    try {
        json manifest = json::parse(text.begin(), text.end());
        bytes = packManifest(manifest, std::filesystem::path(manifestPath).parent_path());
    } catch (const json::exception& error) {
        throw Exception(manifestPath + ": " + error.what());
    } catch (const Exception& error) {
        throw Exception(manifestPath + ": " + error.what());
    }
    writeWholeFile(outPath, bytes);
    return 0;
}

}  // namespace ik::dat
