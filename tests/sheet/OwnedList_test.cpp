#include "sheet/OwnedList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sheet {
namespace {

class TItem : public TOwnedListObject {
 public:
  explicit TItem(std::string aName, std::vector<std::string>* aLog = nullptr) : fName(std::move(aName)), fLog(aLog) {}
  ~TItem() override {
    if (fLog) fLog->push_back("free " + fName);
  }
  std::string fName;
  int fIndexAtCreate = -2;
  std::vector<std::string>* fLog;

 protected:
  void DoCreate() override { fIndexAtCreate = IndexInList(); }
};

class TItems : public TOwnedList<TItem> {};

void ExpectIndexesMatchPositions(const TItems& list) {
  for (int i = 0; i < list.Count(); ++i) {
    EXPECT_EQ(list.At(i).IndexInList(), i) << list.At(i).fName;
    EXPECT_EQ(list.At(i).OwnerList(), &list);
  }
}

std::string Names(const TItems& list) {
  std::string s;
  for (const TItem& item : list) s += item.fName;
  return s;
}

TEST(OwnedList, IndexesStayCurrentAcrossInsertMoveExchangeDelete) {
  TItems list;
  list.Add("a");
  list.Add("b");
  list.Add("c");
  TItem& x = list.Insert(1, "x");
  EXPECT_EQ(x.fIndexAtCreate, 1);  // the creation hook already knows its place
  EXPECT_EQ(Names(list), "axbc");
  ExpectIndexesMatchPositions(list);

  list.Insert(99, "z");  // clamped to the end
  list.Insert(-5, "f");  // clamped to the front
  EXPECT_EQ(Names(list), "faxbcz");
  ExpectIndexesMatchPositions(list);

  list.Move(0, 4);
  EXPECT_EQ(Names(list), "axbcfz");
  ExpectIndexesMatchPositions(list);
  list.At(5).MoveInList(0);
  EXPECT_EQ(Names(list), "zaxbcf");
  ExpectIndexesMatchPositions(list);

  list.Exchange(1, 4);
  EXPECT_EQ(Names(list), "zcxbaf");
  ExpectIndexesMatchPositions(list);

  list.Delete(2);
  EXPECT_EQ(Names(list), "zcbaf");
  ExpectIndexesMatchPositions(list);
  delete &list.At(0);  // freeing an item removes it from its list
  EXPECT_EQ(Names(list), "cbaf");
  ExpectIndexesMatchPositions(list);
}

TEST(OwnedList, ExtractKeepsTheItemAliveOutsideAnyList) {
  std::vector<std::string> log;
  TItems list;
  list.Add("a", &log);
  list.Add("b", &log);
  std::unique_ptr<TItem> taken = list.Extract(0);
  EXPECT_EQ(taken->OwnerList(), nullptr);
  EXPECT_EQ(taken->IndexInList(), -1);
  EXPECT_EQ(list.At(0).IndexInList(), 0);
  EXPECT_TRUE(log.empty());
  list.Adopt(std::move(taken), 1);
  EXPECT_EQ(Names(list), "ba");
  ExpectIndexesMatchPositions(list);
}

TEST(OwnedList, NotificationsAndFreeingTheList) {
  std::vector<std::string> log;
  {
    TItems list;
    list.SetOnNotify([&](TOwnedListBase&, TOwnedListObject& item, TOwnedListNotification action) {
      log.push_back(std::to_string(action) + static_cast<TItem&>(item).fName);  // the item is whole here
    });
    list.Add("a", &log);
    list.Add("b", &log);
    auto taken = list.Extract(1);
    list.Delete(0);
    log.push_back("end");
  }
  EXPECT_EQ(log, (std::vector<std::string>{"0a", "0b", "1b", "2a", "free a", "end", "free b"}));
}

TEST(OwnedList, LockedRenumberingStillFindsItemsAndRenumbersOnUnlock) {
  TItems list;
  for (int i = 0; i < 5; ++i) list.Add(std::to_string(i));
  list.LockRecountIndexInList();
  list.Insert(0, "x");
  list.Insert(0, "y");
  // Stored indexes are stale, but the lookup falls back to a search.
  EXPECT_EQ(list.At(4).IndexInList(), 4);
  list.UnlockRecountIndexInList();
  ExpectIndexesMatchPositions(list);
}

TEST(OwnedList, OutOfRangeIsAListIndexError) {
  TItems list;
  list.Add("a");
  EXPECT_THROW(list.Get(1), std::out_of_range);
  EXPECT_THROW(list.Get(-1), std::out_of_range);
  EXPECT_THROW(list.Delete(3), std::out_of_range);
}

}  // namespace
}  // namespace sheet
