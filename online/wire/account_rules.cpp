#include "account_rules.h"

#include "address_cipher.h"

namespace varnok::online {

// The saved password shares the keyed scrambling of the stored addresses: a
// printable line of the same length, never the password in clear.
std::string ScramblePassword(std::string_view password) { return EncipherAddress(password); }
std::string UnscramblePassword(std::string_view scrambled) { return DecipherAddress(scrambled); }

}  // namespace varnok::online
