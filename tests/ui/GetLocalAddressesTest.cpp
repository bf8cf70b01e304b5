#include "ui/GetLocalAddresses.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/LocalAddresses.h"

namespace {

class GetLocalAddressesTest : public ::testing::Test {
 protected:
  void TearDown() override { SetLocalAddressSource({}); }
};

TEST_F(GetLocalAddressesTest, AppendsInResolverOrderAndKeepsWhatWasThere) {
  SetLocalAddressSource([] { return std::vector<std::string>{"10.0.0.12", "10.0.0.1"}; });
  std::vector<std::string> addresses{"192.168.1.1"};

  EXPECT_EQ(GetLocalAddresses(addresses), 3);
  EXPECT_EQ(GetLocalAddresses(addresses), 5);
  EXPECT_EQ(addresses, (std::vector<std::string>{"192.168.1.1", "10.0.0.12", "10.0.0.1", "10.0.0.12",
                                                 "10.0.0.1"}));
}

TEST_F(GetLocalAddressesTest, UnresolvableHostLeavesTheArrayAlone) {
  SetLocalAddressSource([] { return std::nullopt; });
  std::vector<std::string> addresses{"10.0.0.1"};

  EXPECT_EQ(GetLocalAddresses(addresses), 1);
  EXPECT_EQ(addresses, std::vector<std::string>{"10.0.0.1"});
}

TEST_F(GetLocalAddressesTest, RealResolverGivesDottedIPv4) {
  std::vector<std::string> addresses;
  GetLocalAddresses(addresses);
  for (const auto& address : addresses) EXPECT_EQ(std::count(address.begin(), address.end(), '.'), 3) << address;
}

}  // namespace
