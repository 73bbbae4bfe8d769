#include "assets/WavFile.h"

#include <cstring>

#include "assets/ComponentWriter.h"

namespace ik {

std::vector<uint8_t> riffWaveImage(const TWave& wave) {
    const int32_t padded = wave.Size() + (wave.Size() & 1);
    ComponentWriter w;
    w.WriteRaw({reinterpret_cast<const uint8_t*>("RIFF"), 4});
    w.WriteRawInt32(4 + 8 + wave.FormatSize() + 8 + padded);
    w.WriteRaw({reinterpret_cast<const uint8_t*>("WAVEfmt "), 8});
    w.WriteRawInt32(wave.FormatSize());
    w.WriteRaw(wave.Format());
    w.WriteRaw({reinterpret_cast<const uint8_t*>("data"), 4});
    w.WriteRawInt32(wave.Size());
    w.WriteRaw({wave.Data(), static_cast<size_t>(wave.Size())});
    if (padded != wave.Size()) w.WriteByte(0);
    return w.Finish();
}

void writeWavFile(const std::string& path, const TWave& wave) { writeWholeFile(path, riffWaveImage(wave)); }

void readWavFile(const std::string& path, TWave& wave) {
    TFileStream file(path);
    wave.ReadWaveFile(file);
}

}  // namespace ik
