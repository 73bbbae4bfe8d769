// The component stream reader: fills an existing object tree from the tagged
// stream of a data file, matching property names against the tables the
// target classes declare.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "assets/Collection.h"
#include "assets/Persistent.h"
#include "assets/Stream.h"

namespace ik {

// Value tags of the stream.
enum ValueTag : uint8_t {
    vaNull = 0,
    vaList = 1,
    vaInt8 = 2,
    vaInt16 = 3,
    vaInt32 = 4,
    vaExtended = 5,
    vaString = 6,
    vaIdent = 7,
    vaFalse = 8,
    vaTrue = 9,
    vaBinary = 10,
    vaSet = 11,
    vaLString = 12,
    vaNil = 13,
    vaCollection = 14,
    vaSingle = 15,
    vaCurrency = 16,
    vaDate = 17,
    vaWString = 18,
    vaInt64 = 19,
};

class TReader {
public:
    static constexpr size_t kBufferSize = 4096;

    explicit TReader(TStream& stream);
    // Leaves the stream just after the last byte consumed.
    ~TReader();
    TReader(const TReader&) = delete;
    TReader& operator=(const TReader&) = delete;

    uint8_t TakeTag();
    uint8_t PeekTag();
    bool AtEndMarker() { return PeekTag() == vaNull; }
    void TakeEndMarker();
    int32_t TakeInt();
    std::string TakeText();
    std::string TakeSymbol();
    std::string TakeShortText();
    void TakeBytes(void* buffer, size_t count);
    // The optional prefix byte of a component record (and its position).
    void TakePrefix();

    void TakeCollectionItems(TCollection& collection);
    void ReadPropertyEntry(TPersistent& instance);
    // Reads a whole component record (prefix, class, name, properties,
    // children) into `root`, then resolves references and reports Loaded.
    void ReadRootComponent(TComponent& root);

    // For CustomProperties hooks: each takes the pending property when its
    // name matches (ignoring case) and does nothing otherwise.
    void CustomValueProperty(std::string_view name, const std::function<void(TReader&)>& read);
    void CustomBinaryProperty(std::string_view name, const std::function<void(TStream&)>& read);

private:
    struct Fixup {
        TPersistent* instance;
        const PropertyInfo* property;
        std::string name;
    };

    void Fill();
    int32_t TakeRawInt32();
    // The 4-byte length of a long text or binary block.
    size_t TakeLength();
    void ReadPropertyValue(TPersistent& instance, const PropertyInfo& property);
    void ReadObjectValue(TPersistent& instance, const PropertyInfo& property);
    void ResolveFixups();
    void ForgetFixupsOf(const TCollection& collection);

    TStream& stream_;
    std::array<uint8_t, kBufferSize> buffer_{};
    size_t bufferPos_ = 0;
    size_t bufferEnd_ = 0;
    std::string pendingName_;
    bool pending_ = false;
    std::vector<Fixup> fixups_;
};

// Reads the resource envelope, the "TPF0" signature and the root component.
void LoadComponentResource(TStream& stream, TComponent& root);
// The class name the file gives its root; the stream is left where it was.
std::string rootClassName(TStream& stream);

}  // namespace ik
