// The one guarded region: which box each kind of failure shows, and that none escapes.

#include <gtest/gtest.h>

#include <new>

#include "db/DatabaseError.h"
#include "db/GuardedOperation.h"
#include "tests/support/MessageBoxRecorder.h"

namespace {

TEST(GuardedOperationTest, EachKindOfFailureShowsItsOwnBoxAndIsNotPassedOn) {
  MessageBoxRecorder boxes;
  EXPECT_TRUE(RunGuarded(0, [] {}));
  EXPECT_FALSE(RunGuarded(0, [] { throw DatabaseError("near \"SELEC\": syntax error (1)", "HY000"); }));
  EXPECT_FALSE(RunGuarded(0, [] { throw Refusal("Can not add user. User a already exists!!"); }));
  EXPECT_FALSE(RunGuarded(0, [] { throw std::bad_alloc(); }));
  EXPECT_FALSE(RunGuarded(0, [] { throw std::runtime_error("resource failure"); }));
  EXPECT_FALSE(RunGuarded(0, [] { throw 42; }));

  const auto& shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 5u);
  EXPECT_EQ(shown[0].text, "near \"SELEC\": syntax error (1)");
  EXPECT_EQ(shown[0].caption, "Error!!");
  EXPECT_EQ(shown[0].style, MB_OK | MB_ICONINFORMATION);
  EXPECT_EQ(shown[1].text, "Can not add user. User a already exists!!");
  EXPECT_EQ(shown[1].caption, "Information");
  EXPECT_EQ(shown[1].style, MB_OK | MB_ICONINFORMATION);
  EXPECT_EQ(shown[2].text, "Out of memory.");
  EXPECT_EQ(shown[2].style, MB_OK);
  EXPECT_EQ(shown[3].text, "resource failure");
  EXPECT_EQ(shown[3].style, MB_OK);
  for (const auto& box : shown) EXPECT_FALSE(box.hasOwner);
}

TEST(GuardedOperationTest, AQuietOperationShowsNothingAndStillFails) {
  MessageBoxRecorder boxes;
  EXPECT_FALSE(RunGuarded(1, [] { throw DatabaseError("gone", "08S01"); }));
  EXPECT_FALSE(RunGuarded(1, [] { throw Refusal("no"); }));
  EXPECT_FALSE(RunGuarded(1, [] { throw std::bad_alloc(); }));
  EXPECT_TRUE(boxes.Boxes().empty());
}

}  // namespace
