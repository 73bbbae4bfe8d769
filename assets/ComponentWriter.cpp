#include "assets/ComponentWriter.h"

#include <cstring>
#include <stdexcept>

namespace ik {

namespace {
template <typename T>
void appendLittleEndian(std::vector<uint8_t>& out, T value) {
    uint8_t raw[sizeof(T)];
    std::memcpy(raw, &value, sizeof(T));
    out.insert(out.end(), raw, raw + sizeof(T));
}
}  // namespace

void ComponentWriter::WriteEnvelope(std::string_view resourceName) {
    WriteByte(0xFF);
    appendLittleEndian<uint16_t>(bytes_, 10);
    WriteRaw({reinterpret_cast<const uint8_t*>(resourceName.data()), resourceName.size()});
    WriteByte(0);
    appendLittleEndian<uint16_t>(bytes_, 0x1030);  // moveable, pure, discardable
    sizeField_ = bytes_.size();
    appendLittleEndian<uint32_t>(bytes_, 0);
}

void ComponentWriter::WriteSignature() { WriteRaw({reinterpret_cast<const uint8_t*>("TPF0"), 4}); }

void ComponentWriter::BeginComponent(std::string_view className, std::string_view name,
                                     std::optional<uint8_t> prefixFlags, int32_t position) {
    if (prefixFlags) {
        WriteByte(static_cast<uint8_t>(0xF0 | (*prefixFlags & 0x0F)));
        if (*prefixFlags & 2) WriteInteger(position);
    }
    WriteShortText(className);
    WriteShortText(name);
}

void ComponentWriter::WriteInteger(int32_t value) {
    if (value >= -128 && value <= 127) {
        WriteIntegerAs(vaInt8, value);
    } else if (value >= -32768 && value <= 32767) {
        WriteIntegerAs(vaInt16, value);
    } else {
        WriteIntegerAs(vaInt32, value);
    }
}

void ComponentWriter::WriteIntegerAs(ValueTag tag, int32_t value) {
    WriteByte(tag);
    switch (tag) {
        case vaInt8:
            appendLittleEndian<int8_t>(bytes_, static_cast<int8_t>(value));
            break;
        case vaInt16:
            appendLittleEndian<int16_t>(bytes_, static_cast<int16_t>(value));
            break;
        case vaInt32:
            appendLittleEndian<int32_t>(bytes_, value);
            break;
        default:
            throw std::invalid_argument("integer tag must be 2, 3 or 4");
    }
}

void ComponentWriter::WriteInt64(int64_t value) {
    WriteByte(vaInt64);
    appendLittleEndian(bytes_, value);
}

void ComponentWriter::WriteString(std::string_view text) {
    if (text.size() > 255) {
        WriteLongString(text);
        return;
    }
    WriteByte(vaString);
    WriteShortText(text);
}

void ComponentWriter::WriteLongString(std::string_view text) {
    WriteByte(vaLString);
    WriteRawInt32(static_cast<int32_t>(text.size()));
    WriteRaw({reinterpret_cast<const uint8_t*>(text.data()), text.size()});
}

void ComponentWriter::WriteWideString(std::u16string_view text) {
    WriteByte(vaWString);
    WriteRawInt32(static_cast<int32_t>(text.size()));
    for (char16_t unit : text) appendLittleEndian<uint16_t>(bytes_, unit);
}

void ComponentWriter::WriteIdent(std::string_view ident) {
    WriteByte(vaIdent);
    WriteShortText(ident);
}

void ComponentWriter::WriteSingle(float value) {
    WriteByte(vaSingle);
    appendLittleEndian(bytes_, value);
}

void ComponentWriter::WriteDouble(double value) {
    WriteByte(vaDate);
    appendLittleEndian(bytes_, value);
}

void ComponentWriter::WriteCurrency(int64_t tenThousandths) {
    WriteByte(vaCurrency);
    appendLittleEndian(bytes_, tenThousandths);
}

void ComponentWriter::WriteExtended(const uint8_t (&bytes)[10]) {
    WriteByte(vaExtended);
    WriteRaw(bytes);
}

void ComponentWriter::WriteSet(std::span<const std::string> elements) {
    WriteByte(vaSet);
    for (const std::string& element : elements) WriteShortText(element);
    WriteShortText("");
}

void ComponentWriter::WriteBinary(std::span<const uint8_t> bytes) {
    WriteByte(vaBinary);
    WriteRawInt32(static_cast<int32_t>(bytes.size()));
    WriteRaw(bytes);
}

void ComponentWriter::BeginItem(std::optional<int32_t> order) {
    if (order) WriteInteger(*order);
    WriteByte(vaList);
}

void ComponentWriter::WriteShortText(std::string_view text) {
    if (text.size() > 255) throw std::invalid_argument("short text longer than 255 bytes: " + std::string(text));
    WriteByte(static_cast<uint8_t>(text.size()));
    WriteRaw({reinterpret_cast<const uint8_t*>(text.data()), text.size()});
}

void ComponentWriter::WriteRawInt32(int32_t value) { appendLittleEndian(bytes_, value); }

std::vector<uint8_t> ComponentWriter::Finish() {
    if (sizeField_) {
        auto size = static_cast<uint32_t>(bytes_.size() - (*sizeField_ + 4));
        std::memcpy(bytes_.data() + *sizeField_, &size, 4);
    }
    return std::move(bytes_);
}

}  // namespace ik
