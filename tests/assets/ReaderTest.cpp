#include <gtest/gtest.h>

#include "assets/AssetErrors.h"
#include "assets/ColorIdents.h"
#include "assets/PictureCollection.h"
#include "assets/Reader.h"
#include "assets/WaveCollection.h"
#include "tests/support/AssetFiles.h"

namespace ik {
namespace {

using test::holderFile;
using test::pictureFile;
using test::Properties;

// A holder with the kinds the data-file classes do not declare: a read-only
// property, a custom value property and a custom binary property.
class ProbeHolder : public TComponent {
public:
    std::string ClassName() const override { return "TProbe"; }
    std::span<const PropertyInfo> Properties() const override {
        static const PropertyInfo properties[] = {
            integerProperty<ProbeHolder>("Size", &ProbeHolder::SetSize),
            [] {
                PropertyInfo fixed = integerProperty<ProbeHolder>("Fixed", &ProbeHolder::SetSize);
                fixed.setInteger = nullptr;
                return fixed;
            }(),
        };
        return properties;
    }
    void CustomProperties(TReader& reader) override {
        reader.CustomValueProperty("Left", [this](TReader& r) { left = r.TakeInt(); });
        reader.CustomBinaryProperty("Blob", [this](TStream& s) {
            blobCalls++;
            blob.resize(static_cast<size_t>(s.Size()));
            s.ReadBuffer(blob.data(), blob.size());
        });
    }
    void Loaded() override { loaded = true; }
    void SetSize(int32_t v) { size = v; }

    int32_t size = 0;
    int32_t left = 0;
    int blobCalls = 0;
    std::vector<uint8_t> blob;
    bool loaded = false;
};

std::string loadError(const std::vector<uint8_t>& bytes, TComponent& root) {
    TMemoryStream stream(bytes);
    try {
        LoadComponentResource(stream, root);
    } catch (const Exception& e) {
        return e.what();
    }
    return "(no error)";
}

std::string pictureLoadError(const std::vector<uint8_t>& bytes) {
    TPictureCollection pictures;
    TPictureCollectionComponent holder(&pictures);
    return loadError(bytes, holder);
}

TPictureCollection& loadPictures(TPictureCollection& pictures, const std::vector<uint8_t>& bytes) {
    TMemoryStream stream(bytes);
    pictures.LoadFromStream(stream);
    return pictures;
}

std::vector<uint8_t> withoutLast(std::vector<uint8_t> bytes, size_t n) {
    bytes.resize(bytes.size() - n);
    return bytes;
}

TEST(ComponentStream, EnvelopeAndSignatureFailures) {
    std::vector<uint8_t> good = holderFile("TProbe", "Probe", {});
    std::vector<uint8_t> wrongFirst = good;
    wrongFirst[0] = 0xFE;
    std::vector<uint8_t> wrongVersion = good;
    wrongVersion[1] = 11;
    std::vector<uint8_t> wrongSignature = good;
    wrongSignature[10 + 4 + 3] = '1';  // "TPF0" starts at 10 + strlen("DATA")
    std::vector<uint8_t> shortAfterEnvelope(good.begin(), good.begin() + 10 + 4 + 3);
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        const char* message;
    } cases[] = {
        {"empty file", {}, "Invalid stream format"},
        {"first byte not 0xFF", wrongFirst, "Invalid stream format"},
        {"bytes 1-2 not 10", wrongVersion, "Invalid stream format"},
        {"signature not TPF0", wrongSignature, "Invalid stream format"},
        {"three bytes after the envelope", shortAfterEnvelope, "Stream read error"},
        {"end markers missing", withoutLast(good, 2), "Stream read error"},
    };
    for (const Case& c : cases) {
        ProbeHolder probe;
        EXPECT_EQ(loadError(c.bytes, probe), c.message) << c.what;
    }
}

TEST(ComponentStream, EnvelopeNameLengthsUpTo76) {
    for (size_t length : {size_t{0}, size_t{1}, size_t{76}}) {
        ComponentWriter w;
        w.WriteEnvelope(std::string(length, 'N'));
        w.WriteSignature();
        w.BeginComponent("TProbe", "Probe");
        w.WritePropertyName("Size");
        w.WriteInteger(42);
        w.WriteEndMarker();
        w.WriteEndMarker();
        ProbeHolder probe;
        EXPECT_EQ(loadError(w.Finish(), probe), "(no error)") << length;
        EXPECT_EQ(probe.size, 42) << length;
        EXPECT_EQ(probe.Name, "Probe");
        EXPECT_TRUE(probe.loaded);
    }
}

TEST(ComponentStream, PropertyFailuresAreWrappedWithTheirPath) {
    auto item = [](Properties p) { return pictureFile({p}); };
    auto root = [](Properties p) { return holderFile("TPictureCollectionComponent", "Holder", p); };
    const std::string inItem = "Error reading TPictureCollectionComponent.List: Error reading TPictureCollectionItem.";
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        std::string message;
    } cases[] = {
        {"unknown root property", root([](ComponentWriter& w) {
             w.WritePropertyName("Bogus");
             w.WriteInteger(1);
         }),
         "Error reading Holder.Bogus: Property does not exist"},
        {"short colour table", root([](ComponentWriter& w) {
             w.WritePropertyName("List.ColorTable");
             w.WriteBinary(std::vector<uint8_t>(1023, 0));
         }),
         "Error reading Holder.List.ColorTable: Stream read error"},
        {"colour table not binary", root([](ComponentWriter& w) {
             w.WritePropertyName("List.ColorTable");
             w.WriteInteger(0);
         }),
         "Error reading Holder.List.ColorTable: Invalid property value"},
        {"unknown step of a path", root([](ComponentWriter& w) {
             w.WritePropertyName("Items.ColorTable");
             w.WriteInteger(0);
         }),
         "Error reading Holder.Items.ColorTable: Property does not exist"},
        {"item property unknown", item([](ComponentWriter& w) {
             w.WritePropertyName("Bogus");
             w.WriteInteger(1);
         }),
         inItem + "Bogus: Property does not exist"},
        {"path through a string", item([](ComponentWriter& w) {
             w.WritePropertyName("Name.Data");
             w.WriteString("x");
         }),
         inItem + "Name.Data: Invalid property path"},
        {"string for an integer", item([](ComponentWriter& w) {
             w.WritePropertyName("PatternWidth");
             w.WriteString("8");
         }),
         inItem + "PatternWidth: Invalid property value"},
        {"integer for a string", item([](ComponentWriter& w) {
             w.WritePropertyName("Name");
             w.WriteInteger(8);
         }),
         inItem + "Name: Invalid property value"},
        {"identifier for a plain integer", item([](ComponentWriter& w) {
             w.WritePropertyName("SkipWidth");
             w.WriteIdent("clRed");
         }),
         inItem + "SkipWidth: Invalid property value"},
        {"unknown colour", item([](ComponentWriter& w) {
             w.WritePropertyName("TransparentColor");
             w.WriteIdent("clPink");
         }),
         inItem + "TransparentColor: Invalid property value"},
        {"neither False nor True", item([](ComponentWriter& w) {
             w.WritePropertyName("Transparent");
             w.WriteIdent("Maybe");
         }),
         inItem + "Transparent: Invalid property value"},
        {"collection into a picture", item([](ComponentWriter& w) {
             w.WritePropertyName("Picture");
             w.BeginCollection();
             w.EndCollection();
         }),
         inItem + "Picture: Invalid property value"},
        {"picture data not binary", item([](ComponentWriter& w) {
             w.WritePropertyName("Picture.Data");
             w.WriteString("x");
         }),
         inItem + "Picture.Data: Invalid property value"},
    };
    for (const Case& c : cases) EXPECT_EQ(pictureLoadError(c.bytes), c.message) << c.what;
}

TEST(ComponentStream, ItemWithoutListTagAndUnknownChild) {
    auto noListTag = holderFile("TPictureCollectionComponent", "", [](ComponentWriter& w) {
        w.WritePropertyName("List");
        w.BeginCollection();
        w.WriteInteger(0);  // order number
        w.WriteString("not a list");
    });
    EXPECT_EQ(pictureLoadError(noListTag), "Error reading TPictureCollectionComponent.List: Invalid property value");

    ComponentWriter w;
    w.WriteEnvelope("DATA");
    w.WriteSignature();
    w.BeginComponent("TProbe", "Probe");
    w.WriteEndMarker();
    w.BeginComponent("TButton", "Button1");
    ProbeHolder probe;
    EXPECT_EQ(loadError(w.Finish(), probe), "Class TButton not found");
}

TEST(ComponentStream, ReadOnlyCustomValueAndZeroLengthBinary) {
    ProbeHolder readOnly;
    EXPECT_EQ(loadError(holderFile("TProbe", "Probe",
                                   [](ComponentWriter& w) {
                                       w.WritePropertyName("Fixed");
                                       w.WriteInteger(1);
                                   }),
                        readOnly),
              "Error reading Probe.Fixed: Property is read-only");

    ProbeHolder probe;
    auto bytes = holderFile("TProbe", "", [](ComponentWriter& w) {
        w.WritePropertyName("LEFT");
        w.WriteIntegerAs(vaInt16, -300);
        w.WritePropertyName("blob");
        w.WriteBinary({});
    });
    ASSERT_EQ(loadError(bytes, probe), "(no error)");
    EXPECT_EQ(probe.left, -300);
    EXPECT_EQ(probe.blobCalls, 1);
    EXPECT_TRUE(probe.blob.empty());

    ProbeHolder unnamed;
    EXPECT_EQ(loadError(holderFile("TProbe", "",
                                   [](ComponentWriter& w) {
                                       w.WritePropertyName("Top");
                                       w.WriteInteger(1);
                                   }),
                        unnamed),
              "Error reading TProbe.Top: Property does not exist");
}

TEST(ComponentStream, PathsIgnoreLetterCase) {
    auto bytes = holderFile("TPictureCollectionComponent", "", [](ComponentWriter& w) {
        std::vector<uint8_t> table(1024);
        table[0] = 7;
        w.WritePropertyName("list.colortable");
        w.WriteBinary(table);
        w.WritePropertyName("LIST");
        w.BeginCollection();
        w.BeginItem();
        w.WritePropertyName("name");
        w.WriteString("dot");
        w.WritePropertyName("PATTERNWIDTH");
        w.WriteInteger(12);
        w.WritePropertyName("picture.data");
        w.WriteBinary(test::dibData(test::gradient(3, 2)));
        w.EndItem();
        w.EndCollection();
    });
    TPictureCollection pictures;
    loadPictures(pictures, bytes);
    EXPECT_EQ(pictures.ColorTable()[0], 7);
    ASSERT_EQ(pictures.Count(), 1);
    EXPECT_EQ(pictures.Items(0).Name(), "dot");
    EXPECT_EQ(pictures.Items(0).PatternWidth, 12);
    EXPECT_EQ(pictures.Items(0).Width(), 3);
}

TEST(ComponentStream, OrderNumbersNeverChangeTheOrder) {
    auto bytes = holderFile("TWaveCollectionComponent", "", [](ComponentWriter& w) {
        w.WritePropertyName("List");
        w.BeginCollection();
        struct {
            std::optional<ValueTag> tag;
            int32_t order;
            const char* name;
        } items[] = {{vaInt32, 3, "a"}, {std::nullopt, 0, "b"}, {vaInt16, 1, "c"}, {vaInt8, 0, "d"}};
        for (const auto& item : items) {
            if (item.tag) w.WriteIntegerAs(*item.tag, item.order);
            w.BeginItem();
            w.WritePropertyName("Name");
            w.WriteString(item.name);
            w.EndItem();
        }
        w.EndCollection();
    });
    TWaveCollection waves;
    TMemoryStream stream(bytes);
    waves.LoadFromStream(stream);
    std::string names;
    for (int i = 0; i < waves.Count(); ++i) names += waves.Items(i).Name();
    EXPECT_EQ(names, "abcd");
}

TEST(ComponentStream, EmptyCollectionValueLeavesItemsAlone) {
    TPictureCollection pictures;
    loadPictures(pictures, pictureFile({test::pictureItem("kept", test::gradient(2, 2))}));
    int changes = 0;
    pictures.OnChange = [&] { ++changes; };
    TPictureCollectionComponent holder(&pictures);
    auto bytes = holderFile("TPictureCollectionComponent", "", [](ComponentWriter& w) {
        w.WritePropertyName("List");
        w.BeginCollection();
        w.EndCollection();
    });
    ASSERT_EQ(loadError(bytes, holder), "(no error)");
    ASSERT_EQ(pictures.Count(), 1);
    EXPECT_EQ(pictures.Items(0).Name(), "kept");
    EXPECT_EQ(changes, 1);
}

TEST(ComponentStream, ItemChangesAreReportedOncePerCollectionValue) {
    TWaveCollection waves;
    int changes = 0;
    waves.OnChange = [&] { ++changes; };
    TWaveCollectionComponent holder(&waves);
    auto named = [](const char* name) {
        return [name](ComponentWriter& w) {
            w.WritePropertyName("Name");
            w.WriteString(name);
        };
    };
    ASSERT_EQ(loadError(test::waveFile({named("a"), named("b"), named("c")}), holder), "(no error)");
    EXPECT_EQ(waves.Count(), 3);
    EXPECT_EQ(changes, 1);
}

TEST(ComponentStream, BooleanSymbolsInAnyLetterCase) {
    struct Case {
        Properties value;
        bool expected;
    } cases[] = {
        {[](ComponentWriter& w) { w.WriteBoolean(true); }, true},
        {[](ComponentWriter& w) { w.WriteIdent("True"); }, true},
        {[](ComponentWriter& w) { w.WriteIdent("tRUE"); }, true},
        {[](ComponentWriter& w) { w.WriteByte(0x80 | vaTrue); }, true},
        {[](ComponentWriter& w) { w.WriteBoolean(false); }, false},
        {[](ComponentWriter& w) { w.WriteIdent("FALSE"); }, false},
        {[](ComponentWriter& w) { w.WriteIdent("false"); }, false},
    };
    for (const Case& c : cases) {
        TPictureCollection pictures;
        loadPictures(pictures, pictureFile({[&](ComponentWriter& w) {
                         w.WritePropertyName("SystemMemory");
                         w.WriteBoolean(!c.expected);
                         w.WritePropertyName("SystemMemory");
                         c.value(w);
                     }}));
        EXPECT_EQ(pictures.Items(0).SystemMemory, c.expected);
    }
}

TEST(ComponentStream, AllColourIdentifiersInAnyLetterCase) {
    const std::pair<const char*, uint32_t> named[] = {
        {"clBlack", 0x000000},  {"clMaroon", 0x000080},  {"clGreen", 0x008000}, {"clOlive", 0x008080},
        {"clNavy", 0x800000},   {"clPurple", 0x800080},  {"clTeal", 0x808000},  {"clGray", 0x808080},
        {"clSilver", 0xC0C0C0}, {"clRed", 0x0000FF},     {"clLime", 0x00FF00},  {"clYellow", 0x00FFFF},
        {"clBlue", 0xFF0000},   {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},  {"clWhite", 0xFFFFFF},
        {"clNone", 0x1FFFFFFF},
    };
    const char* system[] = {
        "clScrollBar",    "clBackground",     "clActiveCaption", "clInactiveCaption", "clMenu",
        "clWindow",       "clWindowFrame",    "clMenuText",      "clWindowText",      "clCaptionText",
        "clActiveBorder", "clInactiveBorder", "clAppWorkSpace",  "clHighlight",       "clHighlightText",
        "clBtnFace",      "clBtnShadow",      "clGrayText",      "clBtnText",         "clInactiveCaptionText",
        "clBtnHighlight", "cl3DDkShadow",     "cl3DLight",       "clInfoText",        "clInfoBk"};
    std::vector<std::pair<std::string, uint32_t>> expected(std::begin(named), std::end(named));
    for (uint32_t i = 0; i < std::size(system); ++i) expected.emplace_back(system[i], 0x80000000u + i);
    ASSERT_EQ(expected.size(), 42u);
    EXPECT_EQ(colorIdents().size(), 42u);

    for (const auto& [name, value] : expected) {
        for (const std::string& spelling : {name, LowerCase(name), std::string("CL") + name.substr(2)}) {
            TPictureCollection pictures;
            loadPictures(pictures, pictureFile({[&](ComponentWriter& w) {
                             w.WritePropertyName("TransparentColor");
                             w.WriteIdent(spelling);
                         }}));
            EXPECT_EQ(pictures.Items(0).TransparentColor(), value) << spelling;
        }
    }
}

TEST(ComponentStream, UnsupportedValueKindsAreInvalid) {
    const uint8_t extended[10] = {};
    const std::string set[] = {"a"};
    Properties values[] = {
        [&](ComponentWriter& w) { w.WriteExtended(extended); },
        [&](ComponentWriter& w) { w.WriteSet(set); },
        [](ComponentWriter& w) { w.WriteSingle(1.5f); },
        [](ComponentWriter& w) { w.WriteCurrency(10000); },
        [](ComponentWriter& w) { w.WriteDouble(2.0); },
        [](ComponentWriter& w) { w.WriteWideString(u"x"); },
        [](ComponentWriter& w) { w.WriteInt64(5); },
        [](ComponentWriter& w) { w.WriteNil(); },
    };
    for (const Properties& value : values) {
        EXPECT_EQ(pictureLoadError(pictureFile({[&](ComponentWriter& w) {
                      w.WritePropertyName("PatternHeight");
                      value(w);
                  }})),
                  "Error reading TPictureCollectionComponent.List: Error reading TPictureCollectionItem.PatternHeight: "
                  "Invalid property value");
    }
}

TEST(ComponentStream, LongStringsAndPrefixedRoot) {
    ComponentWriter w;
    w.WriteEnvelope("DATA");
    w.WriteSignature();
    w.BeginComponent("TWaveCollectionComponent", "Waves", uint8_t{2}, 5);
    test::writeList(w, {[](ComponentWriter& item) {
                        item.WritePropertyName("Name");
                        item.WriteLongString("gameover");
                    }});
    w.WriteEndMarker();
    w.WriteEndMarker();
    TWaveCollection waves;
    TMemoryStream stream(w.Finish());
    waves.LoadFromStream(stream);
    EXPECT_EQ(waves.Find("GAMEOVER").Name(), "gameover");
}

TEST(ComponentStream, ReaderLeavesTheStreamAfterWhatItConsumed) {
    // A colour table bigger than the 4096-byte buffer, then trailing bytes.
    auto bytes = holderFile("TPictureCollectionComponent", "", [](ComponentWriter& w) {
        std::vector<uint8_t> table(6000);
        table[1023] = 99;
        w.WritePropertyName("List.ColorTable");
        w.WriteBinary(table);
    });
    size_t end = bytes.size();
    bytes.insert(bytes.end(), 100, 0xAB);
    TMemoryStream stream(bytes);
    TPictureCollection pictures;
    TPictureCollectionComponent holder(&pictures);
    LoadComponentResource(stream, holder);
    EXPECT_EQ(stream.Position(), static_cast<int64_t>(end));
    EXPECT_EQ(pictures.ColorTable()[1023], 99);
}

TEST(ComponentStream, ReferencesToOtherComponentsClearTheProperty) {
    auto picture = [](const char* reference) {
        return pictureFile({[reference](ComponentWriter& w) {
            w.WritePropertyName("Picture.Data");
            w.WriteBinary(test::dibData(test::gradient(4, 4)));
            if (reference) {
                w.WritePropertyName("Picture");
                w.WriteIdent(reference);
            }
        }});
    };
    struct Case {
        const char* reference;
        int width;
    } cases[] = {{nullptr, 4}, {"Image1", 0}, {"Form2.Image1", 4}};
    for (const Case& c : cases) {
        TPictureCollection pictures;
        loadPictures(pictures, picture(c.reference));
        EXPECT_EQ(pictures.Items(0).Width(), c.width) << (c.reference ? c.reference : "none");
    }
}

TEST(ComponentStream, OversizedBlocksFailWithoutReadingThem) {
    auto bytes = holderFile("TProbe", "P", [](ComponentWriter& w) {
        w.WritePropertyName("Blob");
        w.WriteByte(vaBinary);
        w.WriteRawInt32(0x7FFFFFFF);
    });
    ProbeHolder probe;
    EXPECT_EQ(loadError(bytes, probe), "Error reading P.Blob: Stream read error");
    EXPECT_EQ(probe.blobCalls, 0);
}

}  // namespace
}  // namespace ik
