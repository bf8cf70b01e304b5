#include <gtest/gtest.h>

#include "ui/Permissions.h"

TEST(PermissionText, LettersComeInTheirFixedOrderWhateverTheBits) {
  EXPECT_EQ(PermissionText(0), "-");
  EXPECT_EQ(PermissionText(5), "-U-D-");
  EXPECT_EQ(PermissionText(21), "-U-D-E-");
  EXPECT_EQ(PermissionText(31), "-U-D-R-C-E-");
  EXPECT_EQ(PermissionText(-1), "-U-D-R-C-E-");
  EXPECT_EQ(PermissionText(64 | 2), "-R-");
}
