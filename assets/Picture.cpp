#include "assets/Picture.h"

#include "assets/AssetErrors.h"
#include "assets/Reader.h"

namespace ik {

void TPicture::CustomProperties(TReader& reader) {
    reader.CustomBinaryProperty("Data", [this](TStream& stream) { ReadData(stream); });
}

void TPicture::ReadData(TStream& stream) {
    Clear();
    uint8_t nameLength;
    stream.ReadBuffer(&nameLength, 1);
    std::string className(nameLength, '\0');
    stream.ReadBuffer(className.data(), className.size());

    // The block is already in memory: decode from it rather than copy it again.
    std::vector<uint8_t> copy;
    const uint8_t* rest = nullptr;
    size_t restSize = static_cast<size_t>(stream.Remaining());
    if (auto* memory = dynamic_cast<TMemoryStream*>(&stream)) {
        rest = memory->Bytes().data() + memory->Position();
    } else {
        copy.resize(restSize);
        stream.ReadBuffer(copy.data(), copy.size());
        rest = copy.data();
    }
    std::shared_ptr<TDib> graphic;
    if (className == "TDIB") {
        graphic = TDib::ReadDib(rest, restSize);
    } else if (className == "TBitmap") {
        if (restSize < 4) throw EStreamReadError();
        uint32_t length = rest[0] | (rest[1] << 8) | (rest[2] << 16) | (static_cast<uint32_t>(rest[3]) << 24);
        if (length > restSize - 4) throw EStreamReadError();
        graphic = TDib::ReadBitmapFile(rest + 4, length);
    }
    if (graphic && !graphic->Empty()) {
        graphic_ = std::move(graphic);
        graphicClass_ = className;
    }
}

void TPicture::Assign(const TPicture* other) {
    if (other == this) return;
    if (!other) {
        Clear();
        return;
    }
    graphic_ = other->graphic_;
    graphicClass_ = other->graphicClass_;
}

void TPicture::Clear() {
    graphic_.reset();
    graphicClass_.clear();
}

}  // namespace ik
