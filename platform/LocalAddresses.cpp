#include "platform/LocalAddresses.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <unistd.h>

#include <array>
#include <utility>

namespace {

// gethostbyname keeps the resolver's order, where getaddrinfo may sort the addresses.
std::optional<std::vector<std::string>> ResolveHostName() {
  std::array<char, 256> name{};
  if (gethostname(name.data(), name.size() - 1) != 0) return std::nullopt;

  hostent entry{};
  hostent* found = nullptr;
  int error = 0;
  std::vector<char> buffer(8192);
  while (gethostbyname_r(name.data(), &entry, buffer.data(), buffer.size(), &found, &error) == ERANGE)
    buffer.resize(buffer.size() * 2);
  if (found == nullptr || found->h_addrtype != AF_INET) return std::nullopt;

  std::vector<std::string> addresses;
  for (char** address = found->h_addr_list; *address != nullptr; ++address) {
    std::array<char, INET_ADDRSTRLEN> text{};
    inet_ntop(AF_INET, *address, text.data(), text.size());
    addresses.emplace_back(text.data());
  }
  return addresses;
}

LocalAddressSource& InstalledSource() {
  static LocalAddressSource source;
  return source;
}

}  // namespace

std::optional<std::vector<std::string>> LocalAddresses() {
  const auto& source = InstalledSource();
  return source ? source() : ResolveHostName();
}

LocalAddressSource SetLocalAddressSource(LocalAddressSource source) {
  return std::exchange(InstalledSource(), std::move(source));
}
