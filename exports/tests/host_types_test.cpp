#include <gtest/gtest.h>

#include "quarnel/host_framework.h"
#include "quarnel/tool_list_item.h"

namespace {

// An object that notes its own destruction.
class Watched : public CObject {
 public:
  explicit Watched(int* deaths) : deaths_(deaths) {}
  ~Watched() override { ++*deaths_; }

 private:
  int* deaths_;
};

TEST(HostTypesTest, StringsAreCopiedByValue) {
  CString original("c:\\lib.tl");
  CString copy(original);
  original = "changed";
  EXPECT_STREQ(copy, "c:\\lib.tl");
  EXPECT_STREQ(original, "changed");
  EXPECT_NE(copy.GetString(), original.GetString());

  CString assigned;
  assigned = copy;
  copy = "other";
  EXPECT_STREQ(assigned, "c:\\lib.tl");
  const CString& same = assigned;
  assigned = same;
  EXPECT_STREQ(assigned, "c:\\lib.tl");

  const CString absent(static_cast<const char*>(nullptr));
  EXPECT_TRUE(absent.IsEmpty());
  EXPECT_EQ(absent.GetLength(), 0);
  EXPECT_TRUE(CString() == "");
}

TEST(HostTypesTest, ListFindsElementsByIndexAndAppendsAtTheTail) {
  int deaths = 0;
  Watched first(&deaths), second(&deaths), third(&deaths);
  CObList list;
  EXPECT_EQ(list.FindIndex(0), nullptr);
  list.AddTail(&first);
  list.AddTail(&second);
  list.AddTail(&third);
  EXPECT_EQ(list.GetCount(), 3);
  EXPECT_EQ(list.GetAt(list.FindIndex(0)), &first);
  EXPECT_EQ(list.GetAt(list.FindIndex(2)), &third);
  EXPECT_EQ(list.FindIndex(3), nullptr);
  EXPECT_EQ(list.FindIndex(-1), nullptr);

  POSITION at = list.GetHeadPosition();
  EXPECT_EQ(list.GetNext(at), &first);
  EXPECT_EQ(list.GetNext(at), &second);
  EXPECT_EQ(list.GetNext(at), &third);
  EXPECT_EQ(at, nullptr);

  list.RemoveAll();
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_EQ(list.GetHeadPosition(), nullptr);
  EXPECT_EQ(deaths, 0);  // the elements belong to their owner
}

TEST(HostTypesTest, ListItemIsDeletedThroughItsBase) {
  CObject* item = new ToolListItem(1.0f, 108, CString("PUNCH7"), 2.0f, 3.0f, 4.0f, 2, 5.0f, 6.0f,
                                   7.0f, 8.0f, 1, 9.0f, 10.0f, 11.0f, 12.0f, 13.0f, 14.0f, 15.0f,
                                   16.0f);
  const auto* tool = static_cast<const ToolListItem*>(item);
  EXPECT_STREQ(tool->name, "PUNCH7");
  EXPECT_EQ(tool->keyedCount, 2);
  EXPECT_EQ(tool->d4, 12.0f);
  EXPECT_EQ(tool->valueD, 16.0f);
  delete item;  // releases the name; checked by the sanitizer build

  int deaths = 0;
  CObject* watched = new Watched(&deaths);
  delete watched;
  EXPECT_EQ(deaths, 1);
}

}  // namespace
