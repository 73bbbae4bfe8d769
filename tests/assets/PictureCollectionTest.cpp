#include <gtest/gtest.h>

#include "assets/AssetErrors.h"
#include "assets/Dib.h"
#include "assets/PictureCollection.h"
#include "display/DXDraw.h"
#include "display/Drawing.h"
#include "platform/headless/HeadlessPlatform.h"
#include "tests/support/AssetFiles.h"

namespace ik {
namespace {

using test::gradient;
using test::pictureFile;
using test::pictureItem;
using test::Properties;

constexpr TColor kMagenta = 0x00FF00FF;

Properties withInt(const char* name, int32_t value, Properties more = {}) {
    return [=](ComponentWriter& w) {
        w.WritePropertyName(name);
        w.WriteInteger(value);
        if (more) more(w);
    };
}

void load(TPictureCollection& pictures, const std::vector<Properties>& items) {
    TMemoryStream stream(pictureFile(items));
    pictures.LoadFromStream(stream);
}

// A picture with magenta in its left column, for colour-key tests.
RgbImage keyedPicture(int width, int height) {
    RgbImage image = gradient(width, height);
    for (int y = 0; y < height; ++y) image.pixels[static_cast<size_t>(y * width)] = kMagenta;
    return image;
}

class BoundPictures : public ::testing::Test {
protected:
    BoundPictures() : display(platform) {
        display.Initialize();
        list.SetDXDraw(&display);
    }
    TDirectDrawSurface& back() { return display.Surface(); }

    HeadlessPlatform platform;
    TDXDraw display;
    TDXImageList list;
};

TEST(PictureCollection, FindReturnsTheItemNamedLast) {
    TPictureCollection pictures;
    load(pictures, {pictureItem("Button", gradient(2, 2)), pictureItem("button", gradient(3, 3))});
    for (const char* spelling : {"Button", "button", "BUTTON"}) EXPECT_EQ(&pictures.Find(spelling), &pictures.Items(1));
    try {
        pictures.Find("Main_Menu");
        ADD_FAILURE() << "found a picture that is not there";
    } catch (const EPictureCollectionError& e) {
        EXPECT_STREQ(e.what(), "Image 'Main_Menu' not found");
    }
    EXPECT_EQ(TNamedCollection::NameHash("Ab"), (2 * 16 + 'a' + 'a') % 256);
}

TEST(PictureCollection, DataBlockGraphics) {
    RgbImage image = gradient(5, 3);
    std::vector<uint8_t> bmp = writeBitmapFile(image, {24, false});
    auto block = [](const std::string& className, std::vector<uint8_t> rest) {
        ComponentWriter data;
        data.WriteShortText(className);
        data.WriteRaw(rest);
        return data.Finish();
    };
    auto withLength = [](std::vector<uint8_t> bytes, uint32_t length) {
        ComponentWriter out;
        out.WriteRawInt32(static_cast<int32_t>(length));
        out.WriteRaw(bytes);
        return out.Finish();
    };
    std::vector<uint8_t> notBm = bmp;
    notBm[0] = 'X';
    struct Case {
        const char* what;
        std::vector<uint8_t> data;
        std::string graphic;
        int width;
        std::string error;
    } cases[] = {
        {"TDIB", block("TDIB", writeDib(image, {8, true})), "TDIB", 5, ""},
        {"TBitmap", block("TBitmap", withLength(bmp, static_cast<uint32_t>(bmp.size()))), "TBitmap", 5, ""},
        {"TBitmap of length 0", block("TBitmap", withLength({}, 0)), "", 0, ""},
        {"TDIB with no bytes", block("TDIB", {}), "", 0, ""},
        {"TIcon", block("TIcon", {0, 0, 1, 0}), "", 0, ""},
        {"TMetafile", block("TMetafile", {1, 2, 3}), "", 0, ""},
        {"unknown class", block("TJPEGImage", {0xFF, 0xD8}), "", 0, ""},
        {"class names are case-sensitive", block("TDib", writeDib(image, {24, false})), "", 0, ""},
        {"TBitmap not starting with BM", block("TBitmap", withLength(notBm, static_cast<uint32_t>(notBm.size()))), "",
         0, "Bitmap image is not valid"},
        {"TBitmap longer than its block", block("TBitmap", withLength(bmp, static_cast<uint32_t>(bmp.size() + 1))), "",
         0, "Stream read error"},
        {"empty block", {}, "", 0, "Stream read error"},
    };
    for (const Case& c : cases) {
        TPictureCollection pictures;
        std::string error;
        try {
            load(pictures, {[&](ComponentWriter& w) {
                     w.WritePropertyName("Picture.Data");
                     w.WriteBinary(c.data);
                 }});
        } catch (const Exception& e) {
            error = e.what();
        }
        if (!c.error.empty()) {
            EXPECT_EQ(error,
                      "Error reading TPictureCollectionComponent.List: Error reading "
                      "TPictureCollectionItem.Picture.Data: " +
                          c.error)
                << c.what;
            continue;
        }
        ASSERT_EQ(error, "") << c.what;
        const TPictureCollectionItem& item = pictures.Items(0);
        EXPECT_EQ(item.PictureData().GraphicClass(), c.graphic) << c.what;
        EXPECT_EQ(item.Width(), c.width) << c.what;
        if (c.width) {
            EXPECT_EQ(item.Picture().pixels, image.pixels) << c.what;
        }
    }
}

TEST(PictureCollection, ColorTableKeepsTheFirst1024Bytes) {
    auto bytes = test::holderFile("TPictureCollectionComponent", "", [](ComponentWriter& w) {
        std::vector<uint8_t> table(1030);
        for (size_t i = 0; i < table.size(); ++i) table[i] = static_cast<uint8_t>(i * 3);
        w.WritePropertyName("List.ColorTable");
        w.WriteBinary(table);
    });
    TPictureCollection pictures;
    TMemoryStream stream(bytes);
    pictures.LoadFromStream(stream);
    EXPECT_EQ(pictures.ColorTable()[1], 3);
    EXPECT_EQ(pictures.ColorTable()[1023], static_cast<uint8_t>(1023 * 3));
}

TEST(PictureCollection, MissingFile) {
    TPictureCollection pictures;
    try {
        pictures.LoadFromFile("no-such-series.dat");
        ADD_FAILURE() << "opened a missing file";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Cannot open file no-such-series.dat");
    }
}

TEST(PictureCollection, MatchColorIsWhatThePictureBecomes) {
    TDirectDrawSurface surface;
    LoadFromGraphic(surface, RgbImage{1, 1, {kMagenta}});
    EXPECT_EQ(MatchColor(surface, kMagenta), surface.Pixel(0, 0));
    EXPECT_EQ(MatchColor(surface, kMagenta), 0xF81F);  // 5-6-5: red 31, green 0, blue 31
    TDirectDrawSurface missing;
    EXPECT_EQ(MatchColor(missing, kMagenta), 0);
    EXPECT_EQ(MatchColor(surface, 0x80000005u), toRgb565(clWhite)) << "clWindow";
}

TEST_F(BoundPictures, NothingIsDrawnBeforeTheDisplayIsBound) {
    TPictureCollection loose;
    load(loose, {pictureItem("dot", gradient(4, 4))});
    loose.Items(0).DrawPattern(back(), 0, 0, 0);
    EXPECT_FALSE(loose.Items(0).Initialized());
    EXPECT_EQ(back().Pixel(1, 1), 0);
}

TEST_F(BoundPictures, LoadedPicturesAreDrawableAtOnceWithTheirColourKey) {
    RgbImage image = keyedPicture(6, 4);
    load(list.Items, {pictureItem("opaque", image,
                                  [](ComponentWriter& w) {
                                      w.WritePropertyName("Transparent");
                                      w.WriteBoolean(false);
                                      w.WritePropertyName("TransparentColor");
                                      w.WriteIdent("clFuchsia");
                                  }),
                      pictureItem("keyed", image, withInt("TransparentColor", static_cast<int32_t>(kMagenta)))});
    FillSurface(back(), 0x1234);
    list.Find("opaque").DrawPattern(back(), 0, 0, 0);
    list.Find("keyed").DrawPattern(back(), 0, 10, 0);
    EXPECT_EQ(back().Pixel(0, 0), 0xF81F) << "key colour drawn when not transparent";
    EXPECT_EQ(back().Pixel(3, 2), toRgb565(image.At(3, 2)));
    EXPECT_EQ(back().Pixel(0, 10), 0x1234) << "key colour skipped";
    EXPECT_EQ(back().Pixel(1, 10), toRgb565(image.At(1, 0)));
    for (const char* name : {"opaque", "keyed"}) EXPECT_EQ(list.Find(name).Surface(0).ColorKey(), 0xF81F);

    list.Find("keyed").SetTransparentColor(image.At(1, 0));
    EXPECT_EQ(list.Find("keyed").Surface(0).ColorKey(), toRgb565(image.At(1, 0))) << "re-keyed at once";
}

TEST_F(BoundPictures, PatternIndexOutsideTheRangeDrawsNothing) {
    load(list.Items, {pictureItem("strip", gradient(9, 3), withInt("PatternWidth", 3))});
    TPictureCollectionItem& strip = list.Find("strip");
    ASSERT_EQ(strip.PatternCount(), 3);
    EXPECT_EQ(strip.PatternRect(3), TRect{});
    for (int pattern : {-1, 3}) strip.DrawPattern(back(), 0, 0, pattern);
    EXPECT_EQ(back().Pixel(1, 1), 0);
    strip.DrawPattern(back(), 0, 0, 2);
    EXPECT_EQ(back().Pixel(1, 1), toRgb565(gradient(9, 3).At(7, 1)));
}

TEST_F(BoundPictures, WideSheetPatternsComeFromTheirBlocks) {
    RgbImage sheet = gradient(2000, 64);
    load(list.Items, {pictureItem("sheet", sheet, withInt("PatternWidth", 64, withInt("PatternHeight", 64)))});
    TPictureCollectionItem& item = list.Find("sheet");
    ASSERT_EQ(item.SurfaceCount(), 4);
    std::vector<int> widths;
    for (int i = 0; i < 4; ++i) widths.push_back(item.Surface(i).Width());
    EXPECT_EQ(widths, (std::vector<int>{512, 512, 512, 464}));
    EXPECT_EQ(item.PatternCount(), 31);
    item.DrawPattern(back(), 100, 100, 8);
    EXPECT_EQ(back().Pixel(100 + 5, 100 + 7), toRgb565(sheet.At(512 + 5, 7)));

    // The blended path addresses the pattern where it lies in the picture.
    TRect target = Bounds(300, 300, 64, 64);
    display.BeginScene2D();
    item.BlendPattern(back(), target, 8, 255);
    display.EndScene2D();
    EXPECT_EQ(back().Pixel(300 + 5, 300 + 7), toRgb565(sheet.At(512 + 5, 7)));
}

TEST_F(BoundPictures, StretchAndBlendOfAnOpaquePicture) {
    RgbImage flat{2, 2, std::vector<uint32_t>(4, RGB(200, 100, 40))};
    load(list.Items, {pictureItem("flat", flat, [](ComponentWriter& w) {
             w.WritePropertyName("Transparent");
             w.WriteBoolean(false);
         })});
    TPictureCollectionItem& item = list.Find("flat");
    item.StretchPattern(back(), Bounds(10, 10, 8, 8), 0);
    EXPECT_EQ(back().Pixel(17, 17), toRgb565(flat.At(0, 0)));
    EXPECT_EQ(back().Pixel(18, 18), 0);

    display.BeginScene2D();
    item.BlendPattern(back(), Bounds(40, 40, 2, 2), 0, 0);
    EXPECT_EQ(back().Pixel(40, 40), 0) << "alpha 0 draws nothing";
    item.BlendPattern(back(), Bounds(40, 40, 2, 2), 0, 255);
    display.EndScene2D();
    EXPECT_EQ(back().Pixel(41, 41), toRgb565(flat.At(1, 1)));
}

TEST_F(BoundPictures, DisplayLifecycleReleasesAndRebuilds) {
    load(list.Items, {pictureItem("dot", gradient(4, 4))});
    TPictureCollectionItem& dot = list.Find("dot");
    ASSERT_TRUE(dot.Initialized());
    display.Finalize();
    EXPECT_FALSE(dot.Initialized());
    EXPECT_EQ(dot.PatternCount(), 0);
    display.Initialize();
    EXPECT_TRUE(dot.Initialized());
    EXPECT_EQ(dot.PatternCount(), 1);

    TPictureCollection pictures;
    HeadlessPlatform other;
    TDXDraw finalised(other);
    try {
        pictures.BindDisplay(finalised);
        ADD_FAILURE() << "bound to a display that is not initialised";
    } catch (const EPictureCollectionError& e) {
        EXPECT_STREQ(e.what(), "TPictureCollection cannot be initialized");
    }
}

}  // namespace
}  // namespace ik
