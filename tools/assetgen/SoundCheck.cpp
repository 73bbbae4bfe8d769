// ironkeel-soundcheck: what the player hears, written out and measured, so
// the score and the effects can be judged without a sound card.
//   ironkeel-soundcheck music MUSIC.DAT OUT_DIR
//     the whole module and every screen's stretch, decoded by libtrackaudio
//     as the game plays them; a stretch is written twice round, so that the
//     seam where the game restarts it can be heard and seen.
//   ironkeel-soundcheck waves WAVES.DAT OUT_DIR
//     every sound effect as the effects device receives it.
// Prints one line of figures per item: integrated loudness (LUFS), sample
// peak (dBFS), DC of each channel and the left/right correlation.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <span>
#include <string>
#include <vector>

#include "assets/WaveCollection.h"
#include "audio/SoundFormat.h"
#include "audio/TrackAudioApi.h"
#include "tools/assetgen/Loudness.h"
#include "tools/assetgen/Music.h"
#include "tools/assetgen/Synth.h"

namespace {

constexpr uint32_t kRate = 44100;
// The game's music volume at its default setting (16 of 32, times 8, of 255).
const double kDefaultMusicGainDb = 20 * std::log10(128.0 / 255.0);

void writeWav(const std::filesystem::path& path, const std::vector<int16_t>& interleaved) {
    std::ofstream out(path, std::ios::binary);
    const uint32_t size = static_cast<uint32_t>(interleaved.size() * 2);
    const std::vector<uint8_t> header = ik::art::wavHeader(2, kRate, 16, size);
    out.write(reinterpret_cast<const char*>(header.data()), static_cast<std::streamsize>(header.size()));
    out.write(reinterpret_cast<const char*>(interleaved.data()), static_cast<std::streamsize>(size));
}

std::vector<float> toFloat(const std::vector<int16_t>& samples) {
    std::vector<float> out(samples.size());
    for (size_t i = 0; i < samples.size(); ++i) out[i] = samples[i] / 32768.0f;
    return out;
}

void printFigures(const std::string& name, const std::vector<int16_t>& interleaved, double seconds) {
    const auto f = ik::audio_measure::measure(toFloat(interleaved), 2, kRate);
    std::printf("%-14s %7.2f s  %6.1f LUFS  peak %6.1f dBFS  dc %+.4f %+.4f  corr %+.2f\n", name.c_str(), seconds,
                f.lufs, f.peakDb, f.dc[0], f.dc[1], f.correlation);
}

// Decodes `frames` frames from whole second `second` of the module.
std::vector<int16_t> decode(const std::string& file, uint32_t second, uint64_t frames) {
    const TA_HANDLE music = TA_MusicLoad(0, file.c_str(), 0, 0, TA_MUSIC_PLAYER_FLAGS | TA_MUSIC_DECODE, kRate);
    if (!music) throw std::runtime_error("libtrackaudio cannot load " + file);
    if (second > 0 && !TA_ChannelSetPosition(music, TA_POSITION_SECONDS(second)))
        throw std::runtime_error("libtrackaudio cannot seek to second " + std::to_string(second));
    std::vector<int16_t> out(static_cast<size_t>(frames) * 2);
    size_t got = 0;
    while (got < out.size()) {
        const uint32_t want = static_cast<uint32_t>(std::min<size_t>(out.size() - got, 8192) * 2);
        const uint32_t bytes = TA_ChannelGetData(music, out.data() + got, want);
        if (bytes == 0 || bytes == UINT32_MAX) break;
        got += bytes / 2;
    }
    out.resize(got);
    TA_MusicFree(music);
    return out;
}

int music(const std::string& file, const std::filesystem::path& outDir) {
    TA_SetConfig(TA_CONFIG_NULL_OUTPUT, 1);
    if (!TA_Init(0, kRate, 0, nullptr, nullptr)) throw std::runtime_error("libtrackaudio does not start");
    const TA_HANDLE probe = TA_MusicLoad(0, file.c_str(), 0, 0, TA_MUSIC_PLAYER_FLAGS | TA_MUSIC_DECODE, kRate);
    if (!probe) throw std::runtime_error("libtrackaudio cannot load " + file);
    // The game's length: the player's milliseconds of the whole decode.
    const uint64_t lengthBytes = TA_MusicGetLength(probe, 1);
    const auto lengthMs = static_cast<uint32_t>(TA_ChannelBytes2Seconds(probe, lengthBytes) * 1000);
    TA_MusicFree(probe);
    std::printf("module length %u ms; music plays %.1f dB lower at the default volume\n", lengthMs,
                -kDefaultMusicGainDb);

    const auto whole = decode(file, 0, lengthBytes / 4);
    writeWav(outDir / "music.wav", whole);
    printFigures("module", whole, whole.size() / 2.0 / kRate);
    for (const ik::music::Cue& cue : ik::music::kCues) {
        // The game's own arithmetic: the stretch runs from the seek second
        // for as long as the bounds are apart.
        const auto low = static_cast<uint32_t>(lengthMs * cue.start / 100);
        const auto high = static_cast<uint32_t>(lengthMs * cue.end / 100);
        const uint64_t frames = static_cast<uint64_t>(high - low) * kRate / 1000;
        auto once = decode(file, low / 1000, frames);
        printFigures(cue.screen, once, once.size() / 2.0 / kRate);
        std::vector<int16_t> twice = once;
        twice.insert(twice.end(), once.begin(), once.end());
        writeWav(outDir / (std::string("stretch-") + cue.screen + ".wav"), twice);
    }
    TA_Free();
    return 0;
}

int waves(const std::string& file, const std::filesystem::path& outDir) {
    ik::TWaveCollection list;
    list.LoadFromFile(file);
    for (int i = 0; i < list.Count(); ++i) {
        const ik::TWaveCollectionItem& item = list.Items(i);
        const ik::TWave& wave = item.Wave();
        auto format = ik::readPcmFormat(wave.Format());
        if (!format) throw std::runtime_error(item.Name() + " is not plain PCM");
        auto frames =
            ik::convertToDeviceFormat(*format, std::span<const uint8_t>(wave.Data(), static_cast<size_t>(wave.Size())));
        writeWav(outDir / ("sound-" + item.Name() + ".wav"), frames);
        printFigures(item.Name(), frames, frames.size() / 2.0 / kRate);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 || (std::string(argv[1]) != "music" && std::string(argv[1]) != "waves")) {
        std::cerr << "usage: ironkeel-soundcheck music|waves FILE OUT_DIR\n";
        return 2;
    }
    try {
        std::filesystem::create_directories(argv[3]);
        return std::string(argv[1]) == "music" ? music(argv[2], argv[3]) : waves(argv[2], argv[3]);
    } catch (const std::exception& e) {
        std::cerr << "ironkeel-soundcheck: " << e.what() << "\n";
        return 1;
    }
}
