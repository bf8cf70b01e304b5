#include "digest/Digest.h"

#include <algorithm>
#include <limits>

#include "digest/Md5.h"

std::string DigestBytes(const void* data, uint32_t length) {
  Md5 md5;
  md5.Update(data, length);
  return md5.Final();
}

void DigestText(const std::string& text, std::string& out) {
  if (text.empty()) return;
  // Update takes a 32-bit count; feeding in slices keeps any text's digest exact.
  constexpr size_t kSlice = std::numeric_limits<uint32_t>::max();
  Md5 md5;
  for (size_t offset = 0; offset < text.size(); offset += kSlice) {
    md5.Update(text.data() + offset, static_cast<uint32_t>(std::min(kSlice, text.size() - offset)));
  }
  out = md5.Final();
}
