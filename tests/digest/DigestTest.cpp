#include <gtest/gtest.h>

#include <string>

#include "digest/Digest.h"
#include "digest/Md5.h"

namespace {

std::string Digest(const std::string& text) { return DigestBytes(text.data(), static_cast<uint32_t>(text.size())); }

TEST(DigestBytes, AgreesWithTheRfc1321TestSuite) {
  EXPECT_EQ(Digest(""), "d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(Digest("a"), "0cc175b9c0f1b6a831c399e269772661");
  EXPECT_EQ(Digest("abc"), "900150983cd24fb0d6963f7d28e17f72");
  EXPECT_EQ(Digest("message digest"), "f96b697d7cb7938d525a2f31aaf161d0");
  EXPECT_EQ(Digest("abcdefghijklmnopqrstuvwxyz"), "c3fcd3d76192e4007dfb496cca67e13b");
  EXPECT_EQ(Digest("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"),
            "d174ab98d277d9f5a5611c2c9f419d9f");
  EXPECT_EQ(Digest("12345678901234567890123456789012345678901234567890123456789012345678901234567890"),
            "57edf4a22be3c955ac49da2e2107b67a");
}

TEST(DigestBytes, PaddingBoundariesAndByteValues) {
  // 55, 56 and 64 bytes straddle the padding cases; a zero byte in the input is data.
  EXPECT_EQ(Digest(std::string(55, 'a')), "ef1772b6dff9a122358552954ad0df65");
  EXPECT_EQ(Digest(std::string(56, 'a')), "3b0c8ac703f828b04c6c197006d17218");
  EXPECT_EQ(Digest(std::string(64, 'a')), "014842d480b571495a4a0363793f7367");
  EXPECT_EQ(Digest(std::string("a\0b", 3)), "70350f6027bce3713f6b76473084309b");
}

TEST(Md5, PiecewiseUpdatesGiveTheSameDigestAsOne) {
  std::string text;
  for (int i = 0; i < 1000; ++i) text += static_cast<char>(i * 7);
  Md5 pieces;
  size_t offset = 0;
  for (uint32_t size : {0u, 1u, 62u, 3u, 64u, 200u, 670u}) {
    pieces.Update(text.data() + offset, size);
    offset += size;
  }
  ASSERT_EQ(offset, text.size());
  EXPECT_EQ(pieces.Final(), Digest(text));
}

TEST(DigestText, WritesLeadingZerosInLowerCase) {
  // "abc" digests to bytes 0x90 0x01 0x50 0x98 ...: a byte below 16 keeps its "0".
  std::string out;
  DigestText("abc", out);
  EXPECT_EQ(out.substr(0, 4), "9001");
  DigestText("message digest", out);
  EXPECT_EQ(out.substr(0, 6), "f96b69");
  EXPECT_EQ(out.size(), 32u);
  EXPECT_EQ(out.find_first_not_of("0123456789abcdef"), std::string::npos);
}

TEST(DigestText, SamePasswordSameDigestAndEmptyTextLeavesOutput) {
  std::string first, second;
  DigestText("brelk", first);
  DigestText("brelk", second);
  EXPECT_EQ(first, second);
  EXPECT_EQ(first, Digest("brelk"));

  std::string kept = "previous";
  DigestText("", kept);
  EXPECT_EQ(kept, "previous");
}

TEST(DigestText, MultiByteTextDigestsItsUtf8Bytes) {
  // A password change to a non-ASCII text must replace the old digest, not keep it.
  const std::string password = "p\xC3\xA4ss\xE2\x82\xAC";  // "päss€"
  std::string out = Digest("old password");
  DigestText(password, out);
  EXPECT_EQ(out, "feb46b92b025d3cdf4fc600936157183");
}

}  // namespace
