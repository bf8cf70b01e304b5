#pragma once
// The names a shell completes veltrane-admin's arguments with: computers, virtual-server
// addresses and the first accounts by name.

#include <cstddef>
#include <string>
#include <vector>

struct CompletionNames {
  std::vector<std::string> computers;
  std::vector<std::string> addresses;
  std::vector<std::string> accounts;
};

// Read afresh, each list in name order, at most `maxAccounts` accounts. A failure is neither
// reported nor observed (the names are a convenience): the lists are then empty.
CompletionNames ReadCompletionNames(size_t maxAccounts);
