#include "assets/NamedCollection.h"

namespace ik {

TNamedCollectionItem::TNamedCollectionItem(TNamedCollection& collection) : TCollectionItem(collection) {
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
    for (TNamedCollectionItem* item = newest_[NameHash(name)]; item; item = item->older_) {
        if (SameText(item->Name(), name)) return item;
    }
    return nullptr;
}

void TNamedCollection::ItemRemoving(TCollectionItem& item) { Leave(static_cast<TNamedCollectionItem&>(item)); }

void TNamedCollection::Enter(TNamedCollectionItem& item) {
    item.bucket_ = NameHash(item.Name());
    TNamedCollectionItem*& newest = newest_[item.bucket_];
    item.newer_ = nullptr;
    item.older_ = newest;
    if (newest) newest->newer_ = &item;
    newest = &item;
}

void TNamedCollection::Leave(TNamedCollectionItem& item) {
    if (item.newer_) {
        item.newer_->older_ = item.older_;
    } else {
        newest_[item.bucket_] = item.older_;
    }
    if (item.older_) item.older_->newer_ = item.newer_;
    item.newer_ = nullptr;
    item.older_ = nullptr;
}

}  // namespace ik
