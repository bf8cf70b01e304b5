// Access letters chosen for texts that mark none: word starts first, never a letter taken by
// a marked text or an earlier control, indexes among the characters shown.

#include <gtest/gtest.h>

#include "framework/AccessKeys.h"

TEST(AccessKeys, FreeLettersAreChosenWordStartsFirstAndMarkedTextsKeepTheirOwn) {
  struct Case {
    const char* what;
    std::vector<std::string> texts;
    std::vector<bool> wanted;
    std::vector<int> chosen;
  };
  const Case cases[] = {
      {"word starts, then any free letter",
       {"&Add", "Edit", "Delete", "Edit Preferences", "Exit"},
       {true, true, true, true, true},
       {-1, 0, 0, 5, 1}},
      {"a letter marked later is not taken earlier", {"Cancel", "&Close"}, {true, true}, {1, -1}},
      {"not wanted, or nothing free",
       {"Name", "&a", "a", "..."},
       {false, true, true, true},
       {-1, -1, -1, -1}},
      {"characters, not bytes, and \"&&\" shows one", {"Öl", "&&D x"}, {true, true}, {1, 3}},
  };
  for (const Case& c : cases) EXPECT_EQ(ChooseAccessKeys(c.texts, c.wanted), c.chosen) << c.what;
}
