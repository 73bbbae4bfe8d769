// The write side of the component stream: builds data files for the packing
// tool and hand-made stream fixtures. Calls append in order; Finish fills in
// the envelope's size field.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "assets/Reader.h"

namespace ik {

class ComponentWriter {
public:
    // Resource envelope ("0xFF, 10, name, flags, size") then "TPF0".
    void WriteEnvelope(std::string_view resourceName);
    void WriteSignature();

    // Component record header: optional prefix byte (with a child position
    // when flags has bit value 2), class name, component name.
    void BeginComponent(std::string_view className, std::string_view name,
                        std::optional<uint8_t> prefixFlags = std::nullopt, int32_t position = 0);
    void WriteEndMarker() { WriteByte(vaNull); }

    void WritePropertyName(std::string_view path) { WriteShortText(path); }

    // Values. WriteInteger picks the smallest tag; WriteIntegerAs forces one
    // of vaInt8, vaInt16, vaInt32.
    void WriteInteger(int32_t value);
    void WriteIntegerAs(ValueTag tag, int32_t value);
    void WriteInt64(int64_t value);
    void WriteString(std::string_view text);  // tag 6, or 12 when longer than 255
    void WriteLongString(std::string_view text);
    void WriteWideString(std::u16string_view text);
    void WriteIdent(std::string_view ident);
    void WriteBoolean(bool value) { WriteByte(value ? vaTrue : vaFalse); }
    void WriteNil() { WriteByte(vaNil); }
    void WriteSingle(float value);
    void WriteDouble(double value);  // tag 17 (date)
    void WriteCurrency(int64_t tenThousandths);
    void WriteExtended(const uint8_t (&bytes)[10]);
    void WriteSet(std::span<const std::string> elements);
    void WriteBinary(std::span<const uint8_t> bytes);

    // Collection value: tag 14, then per item an optional order number, tag 1,
    // the item's property records and an end marker; a final end marker.
    void BeginCollection() { WriteByte(vaCollection); }
    void BeginItem(std::optional<int32_t> order = std::nullopt);
    void EndItem() { WriteEndMarker(); }
    void EndCollection() { WriteEndMarker(); }

    // Untagged pieces.
    void WriteByte(uint8_t value) { bytes_.push_back(value); }
    void WriteRaw(std::span<const uint8_t> bytes) { bytes_.insert(bytes_.end(), bytes.begin(), bytes.end()); }
    void WriteShortText(std::string_view text);
    void WriteRawInt32(int32_t value);

    std::vector<uint8_t> Finish();

private:
    std::vector<uint8_t> bytes_;
    std::optional<size_t> sizeField_;
};

}  // namespace ik
