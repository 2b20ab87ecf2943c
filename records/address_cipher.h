// The stored form of the service addresses. The settings file and the
// server's service directory keep addresses in this form, and the program
// keeps its own built-in addresses only in it; an address is deciphered when
// it is used.
//
// The form scrambles the 93 visible ASCII characters other than "#" among
// themselves, with a shift that depends on the position and on the previous
// character, so it is no plain substitution. Any other character (blank,
// "#", control characters, bytes above ASCII) stays as it is. The stored form
// has as many characters as the address, contains "#" only where the address
// does, and never a line end that the address lacks; any text deciphers
// without failure.
#pragma once

#include <string>
#include <string_view>

namespace varnok {

std::string EncipherAddress(std::string_view address);
std::string DecipherAddress(std::string_view stored);

// The program's own addresses of the results and the statistics services, in
// the stored form.
std::string BuiltInResultsService();
std::string BuiltInStatsService();

}  // namespace varnok
