#include "assets/PictureCollection.h"

#include <algorithm>

#include "assets/AssetErrors.h"
#include "assets/ColorIdents.h"
#include "assets/Reader.h"
#include "display/DXDraw.h"
#include "display/Drawing.h"

namespace ik {

TColor ColorToRGB(TColor color) {
    // The classic desktop scheme, by system colour index.
    static constexpr TColor kSystemColors[25] = {
        RGB(192, 192, 192), RGB(0, 128, 128),   RGB(0, 0, 128),     RGB(128, 128, 128), RGB(192, 192, 192),
        RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(255, 255, 255),
        RGB(192, 192, 192), RGB(192, 192, 192), RGB(128, 128, 128), RGB(0, 0, 128),     RGB(255, 255, 255),
        RGB(192, 192, 192), RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(192, 192, 192),
        RGB(255, 255, 255), RGB(0, 0, 0),       RGB(223, 223, 223), RGB(0, 0, 0),       RGB(255, 255, 225),
    };
    if ((color & 0x80000000u) == 0) return color;
    uint32_t index = color & 0xFF;
    return index < 25 ? kSystemColors[index] : clBlack;
}

uint16_t MatchColor(const TDirectDrawSurface& surface, TColor color) {
    // Pictures reach 16-bit surfaces through toRgb565 (LoadFromGraphic), so
    // the key is the same conversion of the same colour.
    return surface.Exists() ? toRgb565(ColorToRGB(color)) : 0;
}

// ---------------------------------------------------------------- item

TPictureCollectionItem::TPictureCollectionItem(TPictureCollection& collection) : TNamedCollectionItem(collection) {}

std::span<const PropertyInfo> TPictureCollectionItem::Properties() const {
    using Item = TPictureCollectionItem;
    static const PropertyInfo properties[] = {
        stringProperty<Item>("Name", &Item::SetNameProperty),
        integerProperty<Item>("PatternHeight", &Item::SetPatternHeight),
        integerProperty<Item>("PatternWidth", &Item::SetPatternWidth),
        objectProperty<Item, TPicture>("Picture", &Item::PictureObject, &Item::SetPictureObject),
        integerProperty<Item>("SkipHeight", &Item::SetSkipHeight),
        integerProperty<Item>("SkipWidth", &Item::SetSkipWidth),
        booleanProperty<Item>("SystemMemory", &Item::SetSystemMemory),
        booleanProperty<Item>("Transparent", &Item::SetTransparent),
        integerProperty<Item>("TransparentColor", &Item::SetTransparentColorProperty, colorIdents()),
    };
    return properties;
}

TPictureCollection& TPictureCollectionItem::Pictures() const { return static_cast<TPictureCollection&>(Collection()); }

void TPictureCollectionItem::SetTransparentColor(TColor color) {
    transparentColor_ = color;
    for (auto& surface : surfaces_) surface->SetColorKey(MatchColor(*surface, color));
}

const RgbImage& TPictureCollectionItem::Picture() const {
    static const RgbImage kNone;
    return picture_.Graphic() ? picture_.Graphic()->Image() : kNone;
}

PatternGrid TPictureCollectionItem::Grid() const {
    return {Width(), Height(), PatternWidth, PatternHeight, SkipWidth, SkipHeight, SystemMemory};
}

TRect TPictureCollectionItem::PatternRect(int index) const {
    const std::optional<PatternEntry> pattern = Pattern(index);
    return pattern ? pattern->rect : TRect{};
}

void TPictureCollectionItem::Initialize() { initialized_ = Pictures().BoundToInitializedDisplay(); }

void TPictureCollectionItem::Finalize() {
    initialized_ = false;
    surfaces_.clear();
    layout_ = {};
}

void TPictureCollectionItem::RebuildSurfaces() {
    if (!picture_.Graphic()) return;
    if (!initialized_) {
        Initialize();
        if (!initialized_) return;
    }
    surfaces_.clear();
    layout_ = {};

    PatternLayout layout = computePatternLayout(Grid());
    const RgbImage& image = Picture();
    for (const TRect& area : layout.surfaces) {
        auto surface = std::make_unique<TDirectDrawSurface>();
        LoadFromGraphic(*surface, image, area, SystemMemory);
        surface->SetColorKey(MatchColor(*surface, transparentColor_));
        surfaces_.push_back(std::move(surface));
    }
    layout_ = std::move(layout);
}

void TPictureCollectionItem::DrawPattern(TDirectDrawSurface& dest, int x, int y, int pattern) {
    if (!initialized_) return;
    if (const std::optional<PatternEntry> entry = Pattern(pattern)) {
        copyClipped(dest, x, y, *surfaces_[static_cast<size_t>(entry->surface)], entry->rect, Transparent);
    }
}

void TPictureCollectionItem::StretchPattern(TDirectDrawSurface& dest, const TRect& destRect, int pattern) {
    if (!initialized_) return;
    if (const std::optional<PatternEntry> entry = Pattern(pattern)) {
        stretchCopy(dest, destRect, *surfaces_[static_cast<size_t>(entry->surface)], entry->rect, Transparent);
    }
}

std::string TPictureCollectionItem::TextureName() const {
    return Name().empty() ? "Items[" + std::to_string(Index()) + "]" : Name();
}

void TPictureCollectionItem::BlendPattern(TDirectDrawSurface& dest, const TRect& destRect, int pattern, int alpha) {
    if (!initialized_) return;
    const std::optional<PatternEntry> entry = Pattern(pattern);
    TDXDraw* display = Pictures().Display();
    if (!entry || !display) return;
    const TDirectDrawSurface& source = *surfaces_[static_cast<size_t>(entry->surface)];
    if (!display->Options().Has(do3D)) {
        blendSoftware(dest, destRect, source, entry->rect, alpha, Transparent);
        return;
    }
    TD2D* renderer = display->D2D();
    if (!renderer) return;
    const BlendTexture& texture = renderer->Texture(
        TextureName(), [this] { return makeBlendTexture(Picture(), Transparent, ColorToRGB(transparentColor_)); });
    TexCoords coords = wholePictureTexCoords(texture);
    if (PatternWidth > 0 || PatternHeight > 0) {
        // The texture holds the whole picture: address the pattern where it
        // lies in the picture, not on its block surface.
        const TRect& area = layout_.surfaces[static_cast<size_t>(entry->surface)];
        TRect inPicture = entry->rect;
        inPicture.Left += area.Left;
        inPicture.Right += area.Left;
        inPicture.Top += area.Top;
        inPicture.Bottom += area.Top;
        coords = patternTexCoords(texture, inPicture);
    }
    blendBilinear(*display, dest, destRect, texture, coords, alpha);
}

// ---------------------------------------------------------------- collection

void TPictureCollection::CustomProperties(TReader& reader) {
    reader.CustomBinaryProperty("ColorTable", [this](TStream& stream) { ReadColorTable(stream); });
}

void TPictureCollection::ReadColorTable(TStream& stream) { stream.ReadBuffer(colorTable_.data(), colorTable_.size()); }

TPictureCollectionItem& TPictureCollection::Find(const std::string& name) const {
    auto* item = IndexOf(name);
    if (!item) throw EPictureCollectionError(Format("Image '%s' not found", name));
    return static_cast<TPictureCollectionItem&>(*item);
}

void TPictureCollection::LoadFromFile(const std::string& fileName) {
    TFileStream file(fileName);
    LoadFromStream(file);
}

void TPictureCollection::LoadFromStream(TStream& stream) {
    Clear();
    {
        TPictureCollectionComponent holder(this);
        LoadComponentResource(stream, holder);
    }
    if (BoundToInitializedDisplay()) {
        BindDisplay(*display_);
        RebuildSurfaces();
    }
}

bool TPictureCollection::BoundToInitializedDisplay() const { return display_ && display_->Initialized(); }

void TPictureCollection::BindDisplay(TDXDraw& display) {
    ReleaseSurfaces();
    display_ = &display;
    if (!display.Initialized()) throw EPictureCollectionError(Format("%s cannot be initialized", ClassName()));
    for (int i = 0; i < Count(); ++i) Items(i).Initialize();
}

void TPictureCollection::ReleaseSurfaces() {
    for (int i = 0; i < Count(); ++i) Items(i).Finalize();
    display_ = nullptr;
}

void TPictureCollection::RebuildSurfaces() {
    for (int i = 0; i < Count(); ++i) Items(i).RebuildSurfaces();
    if (display_ && display_->D2D()) display_->D2D()->ClearTextures();
}

void TPictureCollection::Unbind() { display_ = nullptr; }

std::unique_ptr<TCollectionItem> TPictureCollection::NewItem() {
    return std::make_unique<TPictureCollectionItem>(*this);
}

std::span<const PropertyInfo> TPictureCollectionComponent::Properties() const {
    using Holder = TPictureCollectionComponent;
    static const PropertyInfo properties[] = {
        objectProperty<Holder, TCollection>("List", &Holder::List, &Holder::SetList),
    };
    return properties;
}

}  // namespace ik
