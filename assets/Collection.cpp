#include "assets/Collection.h"

#include <algorithm>

namespace ik {

int TCollectionItem::Index() const {
    const auto& items = collection_->items_;
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].get() == this) return static_cast<int>(i);
    }
    return -1;
}

TCollectionItem& TCollection::Add() {
    items_.push_back(NewItem());
    Changed();
    return *items_.back();
}

void TCollection::Clear() {
    if (items_.empty()) return;
    BeginUpdate();
    while (!items_.empty()) {
        std::unique_ptr<TCollectionItem> last = std::move(items_.back());
        items_.pop_back();
        ItemRemoving(*last);
    }
    EndUpdate();
}

void TCollection::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0) Changed();
}

void TCollection::Changed() {
    if (updateCount_ == 0 && OnChange) OnChange();
}

}  // namespace ik
