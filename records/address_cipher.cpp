#include "address_cipher.h"

#include <cstddef>

namespace varnok {

namespace {

constexpr std::string_view kKey = "Zub&Varnok57";
constexpr std::size_t kAlphabetSize = 93;  // '!' to '~' without '#'

// Position of a character in the alphabet, or kAlphabetSize when it is not in it.
std::size_t IndexOf(char c) {
  if (c < '!' || c > '~' || c == '#') return kAlphabetSize;
  const auto offset = static_cast<std::size_t>(c - '!');
  return c < '#' ? offset : offset - 1;
}

char CharAt(std::size_t index) {
  const char c = static_cast<char>('!' + index);
  return c < '#' ? c : static_cast<char>(c + 1);
}

std::size_t Shift(std::size_t position, std::size_t previous) {
  return (static_cast<unsigned char>(kKey[position % kKey.size()]) + 7 * position + previous) % kAlphabetSize;
}

// Built-in addresses in the stored form. For now they name placeholder
// scripts on the local host ("http://localhost/varnok/results.php" and
// ".../stats.php") until the game's own server is set up.
constexpr std::string_view kResultsStored = "e||C@n{^ICcuInm=0D10EEp9jeZ5ev8RW7e";
constexpr std::string_view kStatsStored = "e||C@n{^ICcuInm=0D10EEp9kuW!k7L,4";

}  // namespace

std::string EncipherAddress(std::string_view address) {
  std::string out(address);
  std::size_t previous = 0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const std::size_t plain = IndexOf(out[i]);
    if (plain == kAlphabetSize) continue;
    out[i] = CharAt((plain + Shift(i, previous)) % kAlphabetSize);
    previous = plain;
  }
  return out;
}

std::string DecipherAddress(std::string_view stored) {
  std::string out(stored);
  std::size_t previous = 0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const std::size_t scrambled = IndexOf(out[i]);
    if (scrambled == kAlphabetSize) continue;
    const std::size_t plain = (scrambled + kAlphabetSize - Shift(i, previous)) % kAlphabetSize;
    out[i] = CharAt(plain);
    previous = plain;
  }
  return out;
}

std::string BuiltInResultsService() { return std::string(kResultsStored); }
std::string BuiltInStatsService() { return std::string(kStatsStored); }

}  // namespace varnok
