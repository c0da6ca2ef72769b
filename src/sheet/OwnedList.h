#pragma once

#include <cstddef>
#include <functional>
#include <iterator>
#include <memory>
#include <utility>
#include <vector>

#include "sheet/ItemPool.h"

// Owned lists: every collection of the document model owns its items, and each
// item knows its list and its position, so a cell's column index or a row's
// row index is read in constant time.
namespace sheet {

class TOwnedListBase;
class TOwnedListObject;

// A workbook has as many item lists as rows: their arrays come from the item pool.
template <class T>
struct TItemPoolAllocator {
  using value_type = T;
  TItemPoolAllocator() = default;
  template <class U>
  TItemPoolAllocator(const TItemPoolAllocator<U>&) {}
  T* allocate(std::size_t aCount) { return static_cast<T*>(TItemPool::Allocate(aCount * sizeof(T))); }
  void deallocate(T* aItems, std::size_t aCount) { TItemPool::Free(aItems, aCount * sizeof(T)); }
  template <class U>
  bool operator==(const TItemPoolAllocator<U>&) const { return true; }
};
using TOwnedListItems = std::vector<TOwnedListObject*, TItemPoolAllocator<TOwnedListObject*>>;

enum TOwnedListNotification : int { olnAdded = 0, olnExtracted = 1, olnDeleted = 2 };

class TOwnedListObject {
 public:
  TOwnedListObject() = default;
  TOwnedListObject(const TOwnedListObject&) = delete;
  TOwnedListObject& operator=(const TOwnedListObject&) = delete;
  // Freeing an item removes it from its list. (Its list's notification then
  // sees an object whose derived parts are gone; Delete notifies before freeing.)
  virtual ~TOwnedListObject();

  TOwnedListBase* OwnerList() const { return fOwnerList; }
  // Position in the owning list, -1 when in no list. Constant time unless the
  // list's renumbering is locked.
  int IndexInList() const;
  bool Destroying() const { return fDestroying; }
  // Moves the item within its list (clamped to the list's bounds).
  void MoveInList(int aNewIndex);

 protected:
  // Runs once the item has been put into its list: it already knows its list,
  // its index and, through the list's owner, everything above it.
  virtual void DoCreate() {}

 private:
  friend class TOwnedListBase;
  TOwnedListBase* fOwnerList = nullptr;
  int fIndexInList = -1;
  bool fDestroying = false;
};

class TOwnedListBase {
 public:
  using TNotify = std::function<void(TOwnedListBase& aList, TOwnedListObject& aItem, TOwnedListNotification aAction)>;

  TOwnedListBase() = default;
  TOwnedListBase(const TOwnedListBase&) = delete;
  TOwnedListBase& operator=(const TOwnedListBase&) = delete;
  // Frees all items.
  virtual ~TOwnedListBase();

  int Count() const { return static_cast<int>(fItems.size()); }
  bool Empty() const { return fItems.empty(); }

  // Frees the item at aIndex (list-index error outside 0 ... Count-1).
  void Delete(int aIndex);
  // Frees all items.
  void Clear();
  // Moves an item from one position to another (both clamped).
  void Move(int aCurIndex, int aNewIndex);
  // Swaps two items; only their two stored indexes change.
  void Exchange(int aIndex1, int aIndex2);
  // Position of an item, -1 when it is not in this list.
  int IndexOf(const TOwnedListObject* aItem) const;

  // Bulk inserts lock renumbering and renumber once at the end.
  void LockRecountIndexInList() { ++fLockRecountIndexInList; }
  void UnlockRecountIndexInList();

  void SetOnNotify(TNotify aNotify) { fOnNotify = aNotify ? std::make_unique<TNotify>(std::move(aNotify)) : nullptr; }
  // Room for aCount items without reallocation (bulk appends).
  void Reserve(int aCount) {
    if (aCount > 0) fItems.reserve(static_cast<std::size_t>(aCount));
  }

 protected:
  TOwnedListObject* ItemAt(int aIndex) const;
  TOwnedListObject* ItemAtUnchecked(int aIndex) const { return fItems[static_cast<std::size_t>(aIndex)]; }
  // Puts a freshly created item into the list (position clamped to 0 ... Count)
  // and runs its creation hook; frees it when the hook fails.
  void InsertItem(TOwnedListObject* aItem, int aPosition);
  // Takes the item out without freeing it.
  std::unique_ptr<TOwnedListObject> ExtractItem(int aIndex);
  const TOwnedListItems& RawItems() const { return fItems; }

 private:
  friend class TOwnedListObject;
  void RemoveItem(TOwnedListObject* aItem, TOwnedListNotification aAction);
  void Renumber(int aFrom, int aTo);
  void Notify(TOwnedListObject& aItem, TOwnedListNotification aAction) {
    if (fOnNotify) (*fOnNotify)(*this, aItem, aAction);
  }

  TOwnedListItems fItems;
  // Behind a pointer: every row's cell list is one of these, and few lists listen.
  std::unique_ptr<TNotify> fOnNotify;
  int fLockRecountIndexInList = 0;
};

// Typed view of an owned list of T (T derives from TOwnedListObject).
template <class T>
class TOwnedList : public TOwnedListBase {
 public:
  class iterator {
   public:
    using iterator_category = std::random_access_iterator_tag;
    using value_type = T;
    using difference_type = std::ptrdiff_t;
    using pointer = T*;
    using reference = T&;
    explicit iterator(TOwnedListItems::const_iterator it) : fIt(it) {}
    T& operator*() const { return *static_cast<T*>(*fIt); }
    T* operator->() const { return static_cast<T*>(*fIt); }
    iterator& operator++() { ++fIt; return *this; }
    iterator operator++(int) { iterator old = *this; ++fIt; return old; }
    iterator& operator--() { --fIt; return *this; }
    difference_type operator-(const iterator& o) const { return fIt - o.fIt; }
    bool operator==(const iterator& o) const { return fIt == o.fIt; }
   private:
    TOwnedListItems::const_iterator fIt;
  };

  iterator begin() const { return iterator(RawItems().begin()); }
  iterator end() const { return iterator(RawItems().end()); }

  // The item at aIndex; a list-index error outside 0 ... Count-1.
  T& Get(int aIndex) const { return *static_cast<T*>(ItemAt(aIndex)); }
  T& operator[](int aIndex) const { return Get(aIndex); }
  T& First() const { return Get(0); }
  T& Last() const { return Get(Count() - 1); }
  // No checks: for loops that already know the bounds.
  T& At(int aIndex) const { return *static_cast<T*>(ItemAtUnchecked(aIndex)); }

  // Creates an item of class U (T or derived) at the end.
  template <class U = T, class... A>
  U& Add(A&&... aArgs) {
    return Insert<U>(Count(), std::forward<A>(aArgs)...);
  }
  // Creates an item of class U at aPosition (clamped to 0 ... Count).
  template <class U = T, class... A>
  U& Insert(int aPosition, A&&... aArgs) {
    U* item = new U(std::forward<A>(aArgs)...);
    InsertItem(item, aPosition);
    return *item;
  }
  // Puts an existing item (extracted from elsewhere or created by a factory) into the list.
  T& Adopt(std::unique_ptr<T> aItem, int aPosition = -1) {
    T* item = aItem.release();
    InsertItem(item, aPosition < 0 ? Count() : aPosition);
    return *item;
  }
  std::unique_ptr<T> Extract(int aIndex) {
    return std::unique_ptr<T>(static_cast<T*>(ExtractItem(aIndex).release()));
  }
};

}  // namespace sheet
