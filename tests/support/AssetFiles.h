// Small data files built by hand for the reader, collection and packing tool tests.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "assets/ComponentWriter.h"
#include "display/RgbImage.h"

namespace ik::test {

using Properties = std::function<void(ComponentWriter&)>;

// Envelope, signature and one root record of `className` named `name` with
// the given property records, no children.
std::vector<uint8_t> holderFile(const std::string& className, const std::string& name, const Properties& properties);

// A `List` collection value with one item per entry.
void writeList(ComponentWriter& w, const std::vector<Properties>& items);

// A picture file holding these items (with a 1024-byte colour table).
std::vector<uint8_t> pictureFile(const std::vector<Properties>& items);
std::vector<uint8_t> waveFile(const std::vector<Properties>& items);

// "Data" block of a TDIB graphic (24 bits unless told otherwise).
std::vector<uint8_t> dibData(const RgbImage& image, int bits = 24);
// A picture item: name, picture, and any further property records.
Properties pictureItem(const std::string& name, const RgbImage& image, const Properties& more = {});

// A RIFF WAVE image from chunks given as (id, body).
struct Chunk {
    std::string id;
    std::vector<uint8_t> body;
};
std::vector<uint8_t> riffImage(const std::vector<Chunk>& chunks);
// A 16-byte PCM format chunk body.
std::vector<uint8_t> pcmFormat(int channels, int rate, int bits);

// A picture whose pixel at (x, y) is a colour made of x and y.
RgbImage gradient(int width, int height);

}  // namespace ik::test
