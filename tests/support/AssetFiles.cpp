#include "tests/support/AssetFiles.h"

#include "assets/Dib.h"

namespace ik::test {

std::vector<uint8_t> holderFile(const std::string& className, const std::string& name, const Properties& properties) {
    ComponentWriter w;
    w.WriteEnvelope("DATA");
    w.WriteSignature();
    w.BeginComponent(className, name);
    if (properties) properties(w);
    w.WriteEndMarker();
    w.WriteEndMarker();
    return w.Finish();
}

void writeList(ComponentWriter& w, const std::vector<Properties>& items) {
    w.WritePropertyName("List");
    w.BeginCollection();
    for (const Properties& item : items) {
        w.BeginItem();
        item(w);
        w.EndItem();
    }
    w.EndCollection();
}

std::vector<uint8_t> pictureFile(const std::vector<Properties>& items) {
    return holderFile("TPictureCollectionComponent", "", [&](ComponentWriter& w) {
        w.WritePropertyName("List.ColorTable");
        w.WriteBinary(std::vector<uint8_t>(1024, 0));
        writeList(w, items);
    });
}

std::vector<uint8_t> waveFile(const std::vector<Properties>& items) {
    return holderFile("TWaveCollectionComponent", "", [&](ComponentWriter& w) { writeList(w, items); });
}

std::vector<uint8_t> dibData(const RgbImage& image, int bits) {
    std::vector<uint8_t> block{4, 'T', 'D', 'I', 'B'};
    std::vector<uint8_t> dib = writeDib(image, {bits, false});
    block.insert(block.end(), dib.begin(), dib.end());
    return block;
}

Properties pictureItem(const std::string& name, const RgbImage& image, const Properties& more) {
    return [=](ComponentWriter& w) {
        w.WritePropertyName("Name");
        w.WriteString(name);
        w.WritePropertyName("Picture.Data");
        w.WriteBinary(dibData(image));
        if (more) more(w);
    };
}

std::vector<uint8_t> riffImage(const std::vector<Chunk>& chunks) {
    ComponentWriter w;
    w.WriteRaw({reinterpret_cast<const uint8_t*>("RIFF"), 4});
    w.WriteRawInt32(0);
    w.WriteRaw({reinterpret_cast<const uint8_t*>("WAVE"), 4});
    for (const Chunk& chunk : chunks) {
        w.WriteRaw({reinterpret_cast<const uint8_t*>(chunk.id.data()), 4});
        w.WriteRawInt32(static_cast<int32_t>(chunk.body.size()));
        w.WriteRaw(chunk.body);
    }
    return w.Finish();
}

std::vector<uint8_t> pcmFormat(int channels, int rate, int bits) {
    ComponentWriter w;
    int align = channels * bits / 8;
    w.WriteRaw(std::vector<uint8_t>{1, 0, static_cast<uint8_t>(channels), 0});
    w.WriteRawInt32(rate);
    w.WriteRawInt32(rate * align);
    w.WriteRaw(std::vector<uint8_t>{static_cast<uint8_t>(align), 0, static_cast<uint8_t>(bits), 0});
    return w.Finish();
}

RgbImage gradient(int width, int height) {
    RgbImage image{width, height, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.pixels.push_back(RGB(static_cast<uint8_t>(x * 7), static_cast<uint8_t>(y * 5), 0x40));
    }
    return image;
}

}  // namespace ik::test
