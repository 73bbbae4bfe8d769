#include "assets/NamedCollection.h"

#include <algorithm>

namespace ik {

TNamedCollectionItem::TNamedCollectionItem(TNamedCollection& collection)
    : TCollectionItem(collection) {
    collection.Enter(*this);
}

void TNamedCollectionItem::SetName(const std::string& name) {
    if (name == name_) return;
    auto& collection = static_cast<TNamedCollection&>(Collection());
    collection.Leave(*this);
    name_ = name;
    collection.Enter(*this);
}

uint8_t TNamedCollection::NameHash(const std::string& name) {
    std::string lower = LowerCase(name);
    unsigned h = static_cast<unsigned>(lower.size() * 16);
    if (lower.size() > 1) {
        h += static_cast<uint8_t>(lower[lower.size() - 2]) + static_cast<uint8_t>(lower[0]);
    }
    return static_cast<uint8_t>(h & 0xFF);
}

TNamedCollectionItem* TNamedCollection::IndexOf(const std::string& name) const {
    const auto& chain = buckets_[NameHash(name)];
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if (SameText((*it)->Name(), name)) return *it;
    }
    return nullptr;
}

void TNamedCollection::ItemRemoving(TCollectionItem& item) {
    Leave(static_cast<TNamedCollectionItem&>(item));
}

void TNamedCollection::Enter(TNamedCollectionItem& item) {
    buckets_[NameHash(item.Name())].push_back(&item);
}

void TNamedCollection::Leave(TNamedCollectionItem& item) {
    auto& chain = buckets_[NameHash(item.Name())];
    chain.erase(std::remove(chain.begin(), chain.end(), &item), chain.end());
}

}  // namespace ik
