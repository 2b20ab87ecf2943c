// The country pickers: six continents, each a list whose row 0 is "Unknown".
// A country is stored as its code (continent digit, "-", three-digit index:
// "1-001" is Russia) and sent as its short name. The flag pictures are
// "Flag" + continent digit + "_" + the three digits.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace varnok::online {

struct Country {
  const char* English;  // shown in the picker
  const char* Short;    // sent to the server and shown in tables
};

inline constexpr int kContinentCount = 6;  // Europe, Asia, North America, South America, Oceania, Africa

// The rows of a continent (1 to 6); empty for any other number.
std::span<const Country> CountriesOf(int continent);

// The country of a code, or nothing for a malformed or unknown code.
const Country* CountryOfCode(std::string_view code);
// The country's row in its continent's picker, or nothing for a malformed
// or unknown code.
std::optional<int> CountryRowOfCode(std::string_view code);

// "c-nnn".
std::string CountryCode(int continent, int index);

}  // namespace varnok::online
