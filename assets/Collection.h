// Ordered collections of loadable items, owned by their collection.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "assets/Persistent.h"

namespace ik {

class TCollection;

class TCollectionItem : public TPersistent {
public:
    explicit TCollectionItem(TCollection& collection) : collection_(&collection) {}
    TCollection& Collection() const { return *collection_; }
    int Index() const;

private:
    TCollection* collection_;
};

class TCollection : public TPersistent {
public:
    TCollection() = default;
    TCollection(const TCollection&) = delete;
    TCollection& operator=(const TCollection&) = delete;
    ~TCollection() override = default;

    TCollection* AsCollection() override { return this; }

    int Count() const { return static_cast<int>(items_.size()); }
    TCollectionItem& Item(int index) const { return *items_.at(static_cast<size_t>(index)); }
    TCollectionItem& Add();
    void Clear();

    // Item changes are held back between BeginUpdate and the matching
    // EndUpdate and then reported once.
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    std::function<void()> OnChange;

protected:
    virtual std::unique_ptr<TCollectionItem> NewItem() = 0;
    // Lets subclasses keep indexes in step; called before an item is freed.
    virtual void ItemRemoving(TCollectionItem&) {}
    void Changed();
    std::vector<std::unique_ptr<TCollectionItem>> items_;

private:
    friend class TCollectionItem;
    int updateCount_ = 0;
};

}  // namespace ik
