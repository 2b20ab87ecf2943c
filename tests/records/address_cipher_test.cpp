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
  // The default build names a server on this machine.
  EXPECT_EQ(DecipherAddress(BuiltInResultsService()), "http://127.0.0.1:8466/results.php");
  EXPECT_EQ(DecipherAddress(BuiltInStatsService()), "http://127.0.0.1:8466/stats.php");
  EXPECT_EQ(DecipherAddress(BuiltInAccountService()), "http://127.0.0.1:8466/account.php");
  EXPECT_EQ(DecipherAddress(BuiltInDirectoryDocument()), "http://127.0.0.1:8466/directory.txt");
  EXPECT_EQ(DecipherAddress(BuiltInIpEcho()), "http://127.0.0.1:8466/get_ip.php");
  EXPECT_EQ(BuiltInAccountService().find("127.0.0.1"), std::string::npos);
}

}  // namespace
}  // namespace varnok
