#include <gtest/gtest.h>

#include <string>

#include "digest/Digest.h"

namespace {

TEST(DigestBytes, AgreesWithTheRfc1321TestSuiteAcrossThePaddingBoundariesAndAsText) {
  const std::pair<std::string, std::string> cases[] = {
      {"", "d41d8cd98f00b204e9800998ecf8427e"},
      {"abc", "900150983cd24fb0d6963f7d28e17f72"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
      {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
       "57edf4a22be3c955ac49da2e2107b67a"},
      // 55, 56 and 64 bytes straddle the padding cases; a zero byte is data.
      {std::string(55, 'a'), "ef1772b6dff9a122358552954ad0df65"},
      {std::string(56, 'a'), "3b0c8ac703f828b04c6c197006d17218"},
      {std::string(64, 'a'), "014842d480b571495a4a0363793f7367"},
      {std::string("a\0b", 3), "70350f6027bce3713f6b76473084309b"}};
  for (const auto& [text, digest] : cases)
    EXPECT_EQ(DigestBytes(text.data(), static_cast<uint32_t>(text.size())), digest)
        << text.size() << " bytes";
  // The text form writes the digest of a text, and leaves its output as it was for an empty one.
  std::string out = "previous";
  DigestText("", out);
  EXPECT_EQ(out, "previous");
  DigestText("p\xC3\xA4ss", out);
  EXPECT_EQ(out, "9cb017269b4d82e205ab28e304372ea6");
}

}  // namespace
