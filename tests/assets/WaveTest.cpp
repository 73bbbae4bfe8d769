#include <gtest/gtest.h>

#include "assets/AssetErrors.h"
#include "assets/WaveCollection.h"
#include "tests/support/AssetFiles.h"

namespace ik {
namespace {

using test::Chunk;
using test::pcmFormat;
using test::riffImage;

std::vector<uint8_t> bytesOf(std::string_view text) { return {text.begin(), text.end()}; }

std::string readError(const std::vector<uint8_t>& image, TWave& wave) {
    TMemoryStream stream(image);
    try {
        wave.ReadWaveFile(stream);
    } catch (const Exception& e) {
        return e.what();
    }
    return "(no error)";
}

TEST(WaveImage, ChunkWalk) {
    const std::vector<uint8_t> fmt = pcmFormat(1, 11025, 8);
    const std::vector<uint8_t> samples = bytesOf("abcdefg");
    std::vector<uint8_t> zeroIdThenData = riffImage({{"fmt ", fmt}});
    zeroIdThenData.insert(zeroIdThenData.end(), 8, 0);
    std::vector<uint8_t> dataAfterZero = riffImage({{"data", samples}});
    zeroIdThenData.insert(zeroIdThenData.end(), dataAfterZero.begin() + 12, dataAfterZero.end());
    struct Case {
        const char* what;
        std::vector<uint8_t> image;
        int32_t formatSize;
        std::string data;
    } cases[] = {
        {"fmt, LIST, data", riffImage({{"fmt ", fmt}, {"LIST", bytesOf("INFOxxxx")}, {"data", samples}}), 16,
         "abcdefg"},
        {"data before fmt", riffImage({{"data", samples}, {"fmt ", fmt}}), 16, "abcdefg"},
        {"no fmt", riffImage({{"data", samples}}), 0, "abcdefg"},
        {"no data", riffImage({{"fmt ", fmt}}), 16, ""},
        {"zero chunk id ends the walk", zeroIdThenData, 16, ""},
        // No pad byte after an odd chunk: the next chunk starts right after it.
        {"later data replaces earlier", riffImage({{"data", bytesOf("odd")}, {"data", bytesOf("even")}}), 0, "even"},
        {"fmt with extra bytes", riffImage({{"fmt ", bytesOf("0123456789abcdefgh")}}), 18, ""},
    };
    for (const Case& c : cases) {
        TWave wave;
        ASSERT_EQ(readError(c.image, wave), "(no error)") << c.what;
        EXPECT_EQ(wave.FormatSize(), c.formatSize) << c.what;
        EXPECT_EQ(std::string(wave.Data(), wave.Data() + wave.Size()), c.data) << c.what;
    }
}

TEST(WaveImage, Failures) {
    std::vector<uint8_t> shortData = riffImage({{"fmt ", pcmFormat(1, 8000, 8)}, {"data", bytesOf("abcd")}});
    shortData.resize(shortData.size() - 1);
    std::vector<uint8_t> shortFormat = riffImage({{"fmt ", pcmFormat(1, 8000, 8)}});
    shortFormat.resize(shortFormat.size() - 2);
    std::vector<uint8_t> notWave = riffImage({});
    notWave[11] = 'X';
    std::vector<uint8_t> notRiff = riffImage({});
    notRiff[0] = 'X';
    struct Case {
        const char* what;
        std::vector<uint8_t> image;
        const char* message;
    } cases[] = {
        {"data shorter than declared", shortData, "Stream read error"},
        {"fmt shorter than declared", shortFormat, "Stream read error"},
        {"header cut short", bytesOf(std::string_view("RIFF\0\0\0\0WAV", 11)), "Stream read error"},
        {"not WAVE", notWave, "Wave is invalid"},
        {"not RIFF", notRiff, "Wave is invalid"},
    };
    for (const Case& c : cases) {
        TWave wave;
        EXPECT_EQ(readError(c.image, wave), c.message) << c.what;
    }
    TWave wave;
    TMemoryStream stream(notRiff);
    EXPECT_THROW(wave.ReadWaveFile(stream), EWaveStreamError);
}

TEST(WaveImage, DataBlocksGrowInStepsOf8096) {
    struct Case {
        int32_t size;
        int32_t capacity;
    } cases[] = {{0, 0}, {1, 8096}, {8096, 8096}, {8097, 16192}, {-3, 0}};
    for (const Case& c : cases) {
        TWave wave;
        wave.SetSize(c.size);
        EXPECT_EQ(wave.DataCapacity(), c.capacity) << c.size;
        EXPECT_EQ(wave.Size(), std::max(c.size, 0)) << c.size;
    }
    TWave wave;
    wave.SetSize(100);
    wave.Data()[99] = 42;
    const uint8_t* block = wave.Data();
    wave.SetSize(8000);
    EXPECT_EQ(wave.Data(), block) << "same number of steps: no new block";
    wave.SetSize(9000);
    EXPECT_EQ(wave.DataCapacity(), 16192);
    EXPECT_EQ(wave.Data()[99], 42) << "the samples survive a new block";
}

TEST(WaveImage, AssignCopiesAndNullEmpties) {
    TWave source;
    TMemoryStream image(riffImage({{"fmt ", pcmFormat(2, 44100, 16)}, {"data", bytesOf("1234")}}));
    source.ReadWaveFile(image);
    TWave copy;
    copy.Assign(&source);
    EXPECT_EQ(copy.Format(), source.Format());
    EXPECT_EQ(std::string(copy.Data(), copy.Data() + copy.Size()), "1234");
    copy.Assign(nullptr);
    EXPECT_EQ(copy.Size(), 0);
    EXPECT_EQ(copy.FormatSize(), 0);
}

TEST(WaveStream, MessagesAndClamping) {
    TMemoryStream source(bytesOf("0123456789"));
    TWaveStream samples(source, 3, 4);
    char buffer[8] = {};
    try {
        samples.Read(buffer, 1);
        ADD_FAILURE() << "read before open";
    } catch (const EWaveStreamError& e) {
        EXPECT_STREQ(e.what(), "Stream not opened");
    }
    samples.Open();
    try {
        samples.Open();
        ADD_FAILURE() << "second open";
    } catch (const EWaveStreamError& e) {
        EXPECT_STREQ(e.what(), "Stream is already open");
    }
    EXPECT_EQ(samples.Read(buffer, 8), 4u);
    EXPECT_EQ(std::string(buffer, 4), "3456");
    EXPECT_EQ(samples.Read(buffer, 8), 0u);
}

test::Properties soundItem(const std::string& name, const std::string& samples, const test::Properties& more = {}) {
    return [=](ComponentWriter& w) {
        w.WritePropertyName("Name");
        w.WriteString(name);
        if (more) more(w);
        w.WritePropertyName("Wave.WAVE");
        w.WriteBinary(riffImage({{"fmt ", pcmFormat(1, 22050, 8)}, {"data", bytesOf(samples)}}));
    };
}

void loadWaves(TWaveCollection& waves, const std::vector<test::Properties>& items) {
    TMemoryStream stream(test::waveFile(items));
    waves.LoadFromStream(stream);
}

TEST(WaveCollection, ItemPropertiesAndLookup) {
    TWaveCollection waves;
    loadWaves(waves, {soundItem("Gameover", "first",
                                [](ComponentWriter& w) {
                                    w.WritePropertyName("MaxPlayingCount");
                                    w.WriteInteger(-3);
                                    w.WritePropertyName("Looped");
                                    w.WriteIdent("true");
                                }),
                      soundItem("gameover", "second"), [](ComponentWriter& w) {
                          w.WritePropertyName("Name");
                          w.WriteString("silent");
                      }});
    ASSERT_EQ(waves.Count(), 3);
    EXPECT_EQ(waves.Items(0).MaxPlayingCount(), 0);
    EXPECT_TRUE(waves.Items(0).Looped());
    EXPECT_FALSE(waves.Items(1).Looped());
    EXPECT_EQ(waves.Items(2).Wave().Size(), 0);
    for (const char* spelling : {"GAMEOVER", "Gameover", "gameover"}) {
        EXPECT_EQ(&waves.Find(spelling), &waves.Items(1)) << spelling;
    }
    try {
        waves.Find("Missing_Sound");
        ADD_FAILURE() << "found a sound that is not there";
    } catch (const EWaveCollectionError& e) {
        EXPECT_STREQ(e.what(), "Wave 'Missing_Sound' not found");
    }
    // Renaming the earlier item makes it the one named last.
    waves.Items(0).SetName("GameOver");
    EXPECT_EQ(&waves.Find("gameover"), &waves.Items(0));
}

TEST(WaveCollection, FailureKeepsItemsReadBefore) {
    TWaveCollection waves;
    auto broken = [](ComponentWriter& w) {
        w.WritePropertyName("Wave.WAVE");
        w.WriteBinary(bytesOf(std::string_view("RIFX\0\0\0\0WAVE", 12)));
    };
    try {
        loadWaves(waves, {soundItem("kept", "x"), broken});
        ADD_FAILURE() << "loaded a broken wave";
    } catch (const Exception& e) {
        EXPECT_STREQ(
            e.what(),
            "Error reading TWaveCollectionComponent.List: Error reading TWaveCollectionItem.Wave.WAVE: Wave is "
            "invalid");
    }
    EXPECT_EQ(waves.Count(), 2);
    EXPECT_EQ(waves.Find("kept").Wave().Size(), 1);
}

// A sound output that records what the collection asks of it.
struct FakeOutput : WaveSoundOutput {
    struct Sound : WaveItemSound {
        FakeOutput& out;
        std::string name;
        Sound(FakeOutput& o, std::string n) : out(o), name(std::move(n)) {}
        void Play(bool wait) { out.log += "play " + name + (wait ? " wait;" : ";"); }
        void Stop() { out.log += "stop " + name + ";"; }
        void ReleasePlayBuffers() { out.log += "release " + name + ";"; }
    };
    bool initialized = true;
    std::string log;
    std::function<void(int)> listener;
    bool Initialized() const override { return initialized; }
    std::unique_ptr<WaveItemSound> MakeSound(const TWaveCollectionItem& item) override {
        log += "make " + item.Name() + ";";
        return std::make_unique<Sound>(*this, item.Name());
    }
    void RegisterNotifyEvent(const void*, std::function<void(int)> notify) override { listener = std::move(notify); }
    void UnRegisterNotifyEvent(const void*) override { listener = nullptr; }
};

TEST(WaveCollection, PlayingFollowsTheSoundOutput) {
    FakeOutput output;
    TDXWaveList list;
    list.SetDXSound(&output);
    ASSERT_TRUE(output.listener);
    output.listener(2);  // the output is initialised
    loadWaves(list.Items, {soundItem("a", "xx"), [](ComponentWriter& w) {
                               w.WritePropertyName("Name");
                               w.WriteString("empty");
                           }});
    EXPECT_EQ(output.log, "make a;") << "loading on an initialised output restores every sound with samples";
    output.log.clear();

    TWaveCollectionItem& a = list.Find("a");
    a.PlayWave(false);
    a.SetMaxPlayingCount(-1);  // stored as 0: no change
    a.SetMaxPlayingCount(2);
    a.SetLooped(true);
    a.SetLooped(true);
    list.Find("empty").PlayWave(false);
    EXPECT_EQ(output.log, "play a;release a;stop a;");
    output.log.clear();

    output.listener(3);  // finalising
    a.PlayWave(false);
    EXPECT_FALSE(a.Initialized());
    EXPECT_EQ(output.log, "");
    list.SetDXSound(nullptr);
    EXPECT_FALSE(output.listener);
}

}  // namespace
}  // namespace ik
