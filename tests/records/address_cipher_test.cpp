// The stored form of service addresses.
#include <gtest/gtest.h>

#include <string>

#include "address_cipher.h"

namespace varnok {
namespace {

TEST(AddressCipher, EveryAddressComesBack) {
  const std::string addresses[] = {
      "http://localhost/varnok/results.php",
      "https://games.example.org:8443/zub/stat.php?gid=9&x=1",
      "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa",
      "with blank and #hash",
      "кириллица/путь",
      "",
  };
  for (const std::string& address : addresses) {
    SCOPED_TRACE(address);
    const std::string stored = EncipherAddress(address);
    EXPECT_EQ(DecipherAddress(stored), address);
    EXPECT_EQ(stored.size(), address.size());
  }
}

TEST(AddressCipher, StoredFormHidesTheAddressAndKeepsTheSeparators) {
  const std::string address = "http://localhost/varnok/aaaaaaaaaaaa/stats.php";
  const std::string stored = EncipherAddress(address);
  EXPECT_EQ(stored.find("http"), std::string::npos);
  EXPECT_EQ(stored.find("localhost"), std::string::npos);
  EXPECT_EQ(stored.find("aaaa"), std::string::npos) << "a repeated letter must not show through";
  EXPECT_EQ(stored.find_first_of("# \r\n"), std::string::npos) << stored;
  // "#" ends a value in the service directory, so it must stay where it is.
  EXPECT_EQ(EncipherAddress("a#b").find('#'), 1u);
}

TEST(AddressCipher, AnyTextDeciphers) {
  std::string junk;
  for (int b = 1; b < 256; ++b) junk += static_cast<char>(b);
  EXPECT_EQ(EncipherAddress(DecipherAddress(junk)), junk);
}

TEST(AddressCipher, BuiltInAddressesAreStoredEnciphered) {
  EXPECT_EQ(DecipherAddress(BuiltInResultsService()), "http://localhost/varnok/results.php");
  EXPECT_EQ(DecipherAddress(BuiltInStatsService()), "http://localhost/varnok/stats.php");
}

}  // namespace
}  // namespace varnok
