#include "assets/Reader.h"

#include <algorithm>
#include <cstring>

#include "assets/AssetErrors.h"
#include "assets/ColorIdents.h"

namespace ik {

namespace {
const PropertyInfo* findProperty(TPersistent& instance, std::string_view name) {
    for (const PropertyInfo& property : instance.Properties()) {
        if (SameText(property.name, name)) return &property;
    }
    return nullptr;
}

std::vector<std::string> splitPath(const std::string& path) {
    std::vector<std::string> names;
    size_t start = 0;
    while (true) {
        size_t dot = path.find('.', start);
        names.push_back(path.substr(start, dot == std::string::npos ? std::string::npos : dot - start));
        if (dot == std::string::npos) return names;
        start = dot + 1;
    }
}

EReadError invalidValue() { return EReadError("Invalid property value"); }
}  // namespace

TReader::TReader(TStream& stream) : stream_(stream) {}

TReader::~TReader() { stream_.SetPosition(stream_.Position() - static_cast<int64_t>(bufferEnd_ - bufferPos_)); }

void TReader::Fill() {
    bufferPos_ = 0;
    bufferEnd_ = stream_.Read(buffer_.data(), buffer_.size());
    if (bufferEnd_ == 0) throw EStreamReadError();
}

void TReader::TakeBytes(void* buffer, size_t count) {
    auto* out = static_cast<uint8_t*>(buffer);
    while (count > 0) {
        if (bufferPos_ == bufferEnd_) Fill();
        size_t n = std::min(count, bufferEnd_ - bufferPos_);
        std::memcpy(out, buffer_.data() + bufferPos_, n);
        bufferPos_ += n;
        out += n;
        count -= n;
    }
}

uint8_t TReader::TakeTag() {
    uint8_t tag;
    TakeBytes(&tag, 1);
    return tag;
}

uint8_t TReader::PeekTag() {
    if (bufferPos_ == bufferEnd_) Fill();
    return buffer_[bufferPos_];
}

void TReader::TakeEndMarker() {
    if (TakeTag() != vaNull) throw invalidValue();
}

int32_t TReader::TakeInt() {
    switch (TakeTag()) {
        case vaInt8: {
            int8_t v;
            TakeBytes(&v, 1);
            return v;
        }
        case vaInt16: {
            uint8_t b[2];
            TakeBytes(b, 2);
            return static_cast<int16_t>(b[0] | (b[1] << 8));
        }
        case vaInt32:
            return TakeRawInt32();
        default:
            throw invalidValue();
    }
}

int32_t TReader::TakeRawInt32() {
    uint8_t b[4];
    TakeBytes(b, 4);
    return static_cast<int32_t>(b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24));
}

size_t TReader::TakeLength() {
    int32_t length = TakeRawInt32();
    // A length beyond what is left can never be read: fail before reserving
    // memory for it.
    int64_t left = stream_.Remaining() + static_cast<int64_t>(bufferEnd_ - bufferPos_);
    if (length < 0 || length > left) throw EStreamReadError();
    return static_cast<size_t>(length);
}

std::string TReader::TakeShortText() {
    uint8_t length = TakeTag();
    std::string text(length, '\0');
    TakeBytes(text.data(), length);
    return text;
}

std::string TReader::TakeText() {
    switch (TakeTag()) {
        case vaString:
            return TakeShortText();
        case vaLString: {
            std::string text(TakeLength(), '\0');
            TakeBytes(text.data(), text.size());
            return text;
        }
        default:
            throw invalidValue();
    }
}

std::string TReader::TakeSymbol() {
    switch (TakeTag() & 0x7F) {
        case vaIdent:
            return TakeShortText();
        case vaFalse:
            return "False";
        case vaTrue:
            return "True";
        case vaNull:
            return "Null";
        case vaNil:
            return "nil";
        default:
            throw invalidValue();
    }
}

void TReader::TakeCollectionItems(TCollection& collection) {
    collection.BeginUpdate();
    try {
        if (!AtEndMarker()) {
            ForgetFixupsOf(collection);
            collection.Clear();
        }
        while (!AtEndMarker()) {
            uint8_t tag = PeekTag();
            if (tag == vaInt8 || tag == vaInt16 || tag == vaInt32) TakeInt();
            TCollectionItem& item = collection.Add();
            if (TakeTag() != vaList) throw invalidValue();
            while (!AtEndMarker()) ReadPropertyEntry(item);
            TakeEndMarker();
        }
        TakeEndMarker();
    } catch (...) {
        collection.EndUpdate();
        throw;
    }
    collection.EndUpdate();
}

void TReader::ReadPropertyEntry(TPersistent& instance) {
    std::string path = TakeShortText();
    try {
        std::vector<std::string> names = splitPath(path);
        TPersistent* target = &instance;
        for (size_t i = 0; i + 1 < names.size(); ++i) {
            const PropertyInfo* step = findProperty(*target, names[i]);
            if (!step) throw EReadError("Property does not exist");
            TPersistent* next = step->kind == PropertyKind::Object ? step->getObject(*target) : nullptr;
            if (!next) throw EReadError("Invalid property path");
            target = next;
        }
        if (const PropertyInfo* property = findProperty(*target, names.back())) {
            if (!property->HasSetter()) throw EReadError("Property is read-only");
            ReadPropertyValue(*target, *property);
        } else {
            pendingName_ = names.back();
            pending_ = true;
            target->CustomProperties(*this);
            if (pending_) {
                pending_ = false;
                throw EReadError("Property does not exist");
            }
        }
    } catch (const Exception& failure) {
        pending_ = false;
        throw EReadError("Error reading " + instance.ErrorName() + "." + path + ": " + failure.what());
    }
}

void TReader::ReadPropertyValue(TPersistent& instance, const PropertyInfo& property) {
    switch (property.kind) {
        case PropertyKind::Integer: {
            if (PeekTag() == vaIdent && !property.idents.empty()) {
                TakeTag();
                auto value = IdentToInt(property.idents, TakeShortText());
                if (!value) throw invalidValue();
                property.setInteger(instance, *value);
            } else {
                property.setInteger(instance, TakeInt());
            }
            return;
        }
        case PropertyKind::Enumeration: {
            std::string symbol = TakeSymbol();
            for (size_t i = 0; i < property.enumNames.size(); ++i) {
                if (SameText(property.enumNames[i], symbol)) {
                    property.setInteger(instance, static_cast<int32_t>(i));
                    return;
                }
            }
            throw invalidValue();
        }
        case PropertyKind::String:
            property.setString(instance, TakeText());
            return;
        case PropertyKind::Object:
            ReadObjectValue(instance, property);
            return;
    }
}

void TReader::ReadObjectValue(TPersistent& instance, const PropertyInfo& property) {
    switch (PeekTag()) {
        case vaNil:
            TakeTag();
            property.setObject(instance, nullptr);
            return;
        case vaCollection: {
            TakeTag();
            TPersistent* current = property.getObject(instance);
            TCollection* collection = current ? current->AsCollection() : nullptr;
            if (!collection) throw invalidValue();
            TakeCollectionItems(*collection);
            return;
        }
        case vaIdent:
        case vaNull:
        case vaFalse:
        case vaTrue:
            fixups_.push_back({&instance, &property, TakeSymbol()});
            return;
        default:
            throw invalidValue();
    }
}

void TReader::CustomValueProperty(std::string_view name, const std::function<void(TReader&)>& read) {
    if (!pending_ || !SameText(name, pendingName_)) return;
    read(*this);
    pending_ = false;
}

void TReader::CustomBinaryProperty(std::string_view name, const std::function<void(TStream&)>& read) {
    if (!pending_ || !SameText(name, pendingName_)) return;
    if (TakeTag() != vaBinary) throw invalidValue();
    std::vector<uint8_t> block(TakeLength());
    TakeBytes(block.data(), block.size());
    TMemoryStream data(std::move(block));
    read(data);
    pending_ = false;
}

void TReader::TakePrefix() {
    if (PeekTag() < 0xF0) return;
    uint8_t flags = TakeTag() & 0x0F;
    if (flags & 2) TakeInt();
}

void TReader::ReadRootComponent(TComponent& root) {
    TakePrefix();
    TakeShortText();  // the class name: the caller chose the object to fill
    root.Name = TakeShortText();
    while (!AtEndMarker()) ReadPropertyEntry(root);
    TakeEndMarker();
    while (!AtEndMarker()) {
        TakePrefix();
        // None of our holders owns child components.
        throw EClassNotFound(Format("Class %s not found", TakeShortText()));
    }
    TakeEndMarker();
    ResolveFixups();
    root.Loaded();
}

void TReader::ResolveFixups() {
    // The holders own no components, so a reference never resolves: it
    // clears the property, unless it names something inside another form.
    for (const Fixup& fixup : fixups_) {
        if (fixup.name.find('.') == std::string::npos) fixup.property->setObject(*fixup.instance, nullptr);
    }
    fixups_.clear();
}

void TReader::ForgetFixupsOf(const TCollection& collection) {
    auto ownedByCollection = [&collection](const Fixup& fixup) {
        for (int i = 0; i < collection.Count(); ++i) {
            if (&collection.Item(i) == fixup.instance) return true;
        }
        return false;
    };
    fixups_.erase(std::remove_if(fixups_.begin(), fixups_.end(), ownedByCollection), fixups_.end());
}

namespace {
// Skips the resource envelope; the stream proper follows it.
void skipEnvelope(TStream& stream) {
    int64_t start = stream.Position();
    uint8_t header[80] = {};
    stream.Read(header, 79);
    if (header[0] != 0xFF || header[1] != 10 || header[2] != 0) throw EReadError("Invalid stream format");
    size_t nameLength = std::strlen(reinterpret_cast<const char*>(header + 3));
    stream.SetPosition(start + 10 + static_cast<int64_t>(nameLength));
}

void takeSignature(TReader& reader) {
    char signature[4];
    reader.TakeBytes(signature, 4);
    if (std::memcmp(signature, "TPF0", 4) != 0) throw EReadError("Invalid stream format");
}
}  // namespace

void LoadComponentResource(TStream& stream, TComponent& root) {
    skipEnvelope(stream);
    TReader reader(stream);
    takeSignature(reader);
    reader.ReadRootComponent(root);
}

std::string rootClassName(TStream& stream) {
    int64_t start = stream.Position();
    std::string className;
    {
        skipEnvelope(stream);
        TReader reader(stream);
        takeSignature(reader);
        reader.TakePrefix();
        className = reader.TakeShortText();
    }
    stream.SetPosition(start);
    return className;
}

}  // namespace ik
