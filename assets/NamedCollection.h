// Collections whose items are looked up by name, ignoring letter case,
// through an index of 256 buckets. Each bucket is a chain with the most
// recently named item first, so of two items with the same name the one
// named last is found.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "assets/Collection.h"

namespace ik {

class TNamedCollection;

class TNamedCollectionItem : public TCollectionItem {
public:
    explicit TNamedCollectionItem(TNamedCollection& collection);
    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);

private:
    friend class TNamedCollection;
    std::string name_;
    // The item's place in its bucket's chain. The chain is linked through
    // the items themselves, so that leaving it costs the same however many
    // items share the bucket (every unnamed item shares one).
    uint8_t bucket_ = 0;
    TNamedCollectionItem* newer_ = nullptr;
    TNamedCollectionItem* older_ = nullptr;
};

class TNamedCollection : public TCollection {
public:
    // The item of that name, or null.
    TNamedCollectionItem* IndexOf(const std::string& name) const;
    static uint8_t NameHash(const std::string& name);

protected:
    void ItemRemoving(TCollectionItem& item) override;

private:
    friend class TNamedCollectionItem;
    void Enter(TNamedCollectionItem& item);
    void Leave(TNamedCollectionItem& item);
    std::array<TNamedCollectionItem*, 256> newest_{};
};

}  // namespace ik
