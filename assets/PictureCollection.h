// Named pictures: the image list of the main form and its collection of
// items read from a picture file. Each item is cut into a grid of patterns
// and uploaded to display surfaces so that a pattern is drawn with one blit.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "assets/NamedCollection.h"
#include "assets/PatternLayout.h"
#include "assets/Picture.h"
#include "display/Color.h"
#include "display/Rect.h"
#include "display/RgbImage.h"
#include "display/Surface.h"

namespace ik {

class TDXDraw;
class TPictureCollection;

// The raw value a colour has on a surface: exactly what that colour becomes
// when a picture is copied onto it. A surface that does not exist gives 0.
uint16_t MatchColor(const TDirectDrawSurface& surface, TColor color);
// System colours (0x80000000 + index) as RGB; other values unchanged.
TColor ColorToRGB(TColor color);

class TPictureCollectionItem : public TNamedCollectionItem {
public:
    explicit TPictureCollectionItem(TPictureCollection& collection);

    std::string ClassName() const override { return "TPictureCollectionItem"; }
    std::span<const PropertyInfo> Properties() const override;

    int32_t PatternWidth = 0;
    int32_t PatternHeight = 0;
    int32_t SkipWidth = 0;
    int32_t SkipHeight = 0;
    bool SystemMemory = false;
    bool Transparent = true;
    TColor TransparentColor() const { return transparentColor_; }
    // Re-keys every surface of the item at once.
    void SetTransparentColor(TColor color);

    TPicture& PictureData() { return picture_; }
    const TPicture& PictureData() const { return picture_; }
    // The decoded picture (empty when there is none).
    const RgbImage& Picture() const;
    int Width() const { return picture_.Width(); }
    int Height() const { return picture_.Height(); }
    PatternGrid Grid() const;
    int EffectivePatternWidth() const { return Grid().EffectivePatternWidth(); }
    int EffectivePatternHeight() const { return Grid().EffectivePatternHeight(); }

    bool Initialized() const { return initialized_; }
    int PatternCount() const { return layout_.PatternCount(); }
    // The rectangle of pattern i on its surface; empty at 0,0 outside the range.
    TRect PatternRect(int index) const;
    std::optional<PatternEntry> Pattern(int index) const { return layout_.Pattern(index); }
    int SurfaceCount() const { return static_cast<int>(surfaces_.size()); }
    const TDirectDrawSurface& Surface(int index) const { return *surfaces_.at(static_cast<size_t>(index)); }

    // Nothing happens while the item is not initialised or the index is out
    // of range.
    void DrawPattern(TDirectDrawSurface& dest, int x, int y, int pattern);
    void StretchPattern(TDirectDrawSurface& dest, const TRect& destRect, int pattern);
    void BlendPattern(TDirectDrawSurface& dest, const TRect& destRect, int pattern, int alpha);

    // Lifecycle steps driven by the collection.
    void Initialize();
    void Finalize();
    void RebuildSurfaces();

private:
    TPictureCollection& Pictures() const;
    void SetNameProperty(const std::string& name) { SetName(name); }
    void SetPatternWidth(int32_t v) { PatternWidth = v; }
    void SetPatternHeight(int32_t v) { PatternHeight = v; }
    void SetSkipWidth(int32_t v) { SkipWidth = v; }
    void SetSkipHeight(int32_t v) { SkipHeight = v; }
    void SetSystemMemory(bool v) { SystemMemory = v; }
    void SetTransparent(bool v) { Transparent = v; }
    void SetTransparentColorProperty(int32_t v) { SetTransparentColor(static_cast<TColor>(v)); }
    TPicture* PictureObject() { return &picture_; }
    void SetPictureObject(const TPicture* picture) { picture_.Assign(picture); }
    // The name the 2D renderer caches this picture's texture under.
    std::string TextureName() const;

    TPicture picture_;
    TColor transparentColor_ = clBlack;
    bool initialized_ = false;
    std::vector<std::unique_ptr<TDirectDrawSurface>> surfaces_;
    PatternLayout layout_;  // of the built surfaces; empty while there are none
};

class TPictureCollection : public TNamedCollection {
public:
    static constexpr size_t kColorTableSize = 1024;

    std::string ClassName() const override { return "TPictureCollection"; }
    void CustomProperties(TReader& reader) override;

    TPictureCollectionItem& Items(int index) const { return static_cast<TPictureCollectionItem&>(Item(index)); }
    // Fails with "Image '%s' not found".
    TPictureCollectionItem& Find(const std::string& name) const;

    // Replaces every item by those of the file; pictures become drawable at
    // once when the collection is bound to an initialised display.
    void LoadFromFile(const std::string& fileName);
    void LoadFromStream(TStream& stream);

    const std::array<uint8_t, kColorTableSize>& ColorTable() const { return colorTable_; }

    // Display lifecycle. BindDisplay fails with "TPictureCollection cannot be
    // initialized" when the display is not initialised.
    void BindDisplay(TDXDraw& display);
    void ReleaseSurfaces();
    void RebuildSurfaces();
    TDXDraw* Display() const { return display_; }
    bool BoundToInitializedDisplay() const;
    // The display's binding is dropped without touching it (it is going away).
    void Unbind();

protected:
    std::unique_ptr<TCollectionItem> NewItem() override;

private:
    void ReadColorTable(TStream& stream);

    std::array<uint8_t, kColorTableSize> colorTable_{};
    TDXDraw* display_ = nullptr;
};

// The holder a picture file is read into.
class TPictureCollectionComponent : public TComponent {
public:
    explicit TPictureCollectionComponent(TPictureCollection* list) : list_(list) {}
    std::string ClassName() const override { return "TPictureCollectionComponent"; }
    std::span<const PropertyInfo> Properties() const override;

private:
    TCollection* List() { return list_; }
    void SetList(const TCollection*) { list_ = nullptr; }
    TPictureCollection* list_;
};

// The form's DXImageList1: the pictures and the display they are drawn for.
class TDXImageList {
public:
    TDXImageList() = default;
    ~TDXImageList();
    TDXImageList(const TDXImageList&) = delete;
    TDXImageList& operator=(const TDXImageList&) = delete;

    TPictureCollection Items;

    // Subscribes to the display's notifications (and leaves the previous
    // display). On an initialised display the pictures are uploaded at once.
    void SetDXDraw(TDXDraw* display);
    TDXDraw* DXDraw() const { return display_; }

    void LoadFromFile(const std::string& fileName) { Items.LoadFromFile(fileName); }
    TPictureCollectionItem& Find(const std::string& name) const { return Items.Find(name); }
    int Count() const { return Items.Count(); }
    TPictureCollectionItem& Item(int index) const { return Items.Items(index); }

private:
    TDXDraw* display_ = nullptr;
    int subscription_ = 0;
};

}  // namespace ik
