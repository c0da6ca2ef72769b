#include "sheet/OwnedList.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace sheet {

namespace {
[[noreturn]] void ThrowIndexError(int aIndex) {
  throw std::out_of_range("List index out of bounds (" + std::to_string(aIndex) + ")");
}
}  // namespace

TOwnedListObject::~TOwnedListObject() {
  fDestroying = true;
  if (fOwnerList) fOwnerList->RemoveItem(this, olnDeleted);
}

int TOwnedListObject::IndexInList() const {
  if (!fOwnerList) return -1;
  return fOwnerList->IndexOf(this);
}

void TOwnedListObject::MoveInList(int aNewIndex) {
  if (fOwnerList) fOwnerList->Move(IndexInList(), aNewIndex);
}

TOwnedListBase::~TOwnedListBase() { Clear(); }

TOwnedListObject* TOwnedListBase::ItemAt(int aIndex) const {
  if (aIndex < 0 || aIndex >= Count()) ThrowIndexError(aIndex);
  return fItems[static_cast<std::size_t>(aIndex)];
}

void TOwnedListBase::Renumber(int aFrom, int aTo) {
  if (fLockRecountIndexInList > 0) return;
  aFrom = std::max(aFrom, 0);
  aTo = std::min(aTo, Count() - 1);
  for (int i = aFrom; i <= aTo; ++i) fItems[static_cast<std::size_t>(i)]->fIndexInList = i;
}

void TOwnedListBase::UnlockRecountIndexInList() {
  if (fLockRecountIndexInList > 0 && --fLockRecountIndexInList == 0) Renumber(0, Count() - 1);
}

int TOwnedListBase::IndexOf(const TOwnedListObject* aItem) const {
  if (!aItem || aItem->fOwnerList != this) return -1;
  const int stored = aItem->fIndexInList;
  if (stored >= 0 && stored < Count() && fItems[static_cast<std::size_t>(stored)] == aItem) return stored;
  const auto it = std::find(fItems.begin(), fItems.end(), aItem);
  return it == fItems.end() ? -1 : static_cast<int>(it - fItems.begin());
}

void TOwnedListBase::InsertItem(TOwnedListObject* aItem, int aPosition) {
  aPosition = std::clamp(aPosition, 0, Count());
  fItems.insert(fItems.begin() + aPosition, aItem);
  aItem->fOwnerList = this;
  aItem->fIndexInList = aPosition;
  if (aPosition < Count() - 1) Renumber(aPosition + 1, Count() - 1);
  try {
    aItem->DoCreate();
  } catch (...) {
    delete aItem;
    throw;
  }
  Notify(*aItem, olnAdded);
}

void TOwnedListBase::RemoveItem(TOwnedListObject* aItem, TOwnedListNotification aAction) {
  const int index = IndexOf(aItem);
  if (index < 0) return;
  fItems.erase(fItems.begin() + index);
  aItem->fOwnerList = nullptr;
  aItem->fIndexInList = -1;
  if (index < Count()) Renumber(index, Count() - 1);
  Notify(*aItem, aAction);
}

std::unique_ptr<TOwnedListObject> TOwnedListBase::ExtractItem(int aIndex) {
  TOwnedListObject* item = ItemAt(aIndex);
  RemoveItem(item, olnExtracted);
  return std::unique_ptr<TOwnedListObject>(item);
}

void TOwnedListBase::Delete(int aIndex) {
  // Taken out first, so the notification sees the whole object.
  TOwnedListObject* item = ItemAt(aIndex);
  item->fDestroying = true;
  RemoveItem(item, olnDeleted);
  delete item;
}

void TOwnedListBase::Clear() {
  // From the end, so no item is ever shifted.
  while (!fItems.empty()) Delete(Count() - 1);
}

void TOwnedListBase::Move(int aCurIndex, int aNewIndex) {
  TOwnedListObject* item = ItemAt(aCurIndex);
  aNewIndex = std::clamp(aNewIndex, 0, Count() - 1);
  if (aNewIndex == aCurIndex) return;
  fItems.erase(fItems.begin() + aCurIndex);
  fItems.insert(fItems.begin() + aNewIndex, item);
  Renumber(std::min(aCurIndex, aNewIndex), std::max(aCurIndex, aNewIndex));
}

void TOwnedListBase::Exchange(int aIndex1, int aIndex2) {
  TOwnedListObject* a = ItemAt(aIndex1);
  TOwnedListObject* b = ItemAt(aIndex2);
  std::swap(fItems[static_cast<std::size_t>(aIndex1)], fItems[static_cast<std::size_t>(aIndex2)]);
  a->fIndexInList = aIndex2;
  b->fIndexInList = aIndex1;
}

}  // namespace sheet
