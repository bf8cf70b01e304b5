#pragma once
// The password digest: MD5 of the password's bytes as 32 lower-case hexadecimal digits.

#include <cstdint>
#include <string>

// The digest of length bytes at data.
std::string DigestBytes(const void* data, uint32_t length);

// Sets out to the digest of the text's bytes (UTF-8 as it stands, no terminator). An empty
// text leaves out unchanged.
void DigestText(const std::string& text, std::string& out);
