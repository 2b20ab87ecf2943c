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

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace varnok {

namespace cipher {

inline constexpr std::string_view kKey = "Zub&Varnok57";
inline constexpr std::size_t kAlphabetSize = 93;  // '!' to '~' without '#'

// Position of a character in the alphabet, or kAlphabetSize when it is not in it.
constexpr std::size_t IndexOf(char c) {
  if (c < '!' || c > '~' || c == '#') return kAlphabetSize;
  const auto offset = static_cast<std::size_t>(c - '!');
  return c < '#' ? offset : offset - 1;
}

constexpr char CharAt(std::size_t index) {
  const char c = static_cast<char>('!' + index);
  return c < '#' ? c : static_cast<char>(c + 1);
}

constexpr std::size_t Shift(std::size_t position, std::size_t previous) {
  return (static_cast<unsigned char>(kKey[position % kKey.size()]) + 7 * position + previous) % kAlphabetSize;
}

constexpr void Encipher(char* text, std::size_t size) {
  std::size_t previous = 0;
  for (std::size_t i = 0; i < size; ++i) {
    const std::size_t plain = IndexOf(text[i]);
    if (plain == kAlphabetSize) continue;
    text[i] = CharAt((plain + Shift(i, previous)) % kAlphabetSize);
    previous = plain;
  }
}

constexpr void Decipher(char* text, std::size_t size) {
  std::size_t previous = 0;
  for (std::size_t i = 0; i < size; ++i) {
    const std::size_t scrambled = IndexOf(text[i]);
    if (scrambled == kAlphabetSize) continue;
    const std::size_t plain = (scrambled + kAlphabetSize - Shift(i, previous)) % kAlphabetSize;
    text[i] = CharAt(plain);
    previous = plain;
  }
}

}  // namespace cipher

// The stored form of an address literal, made while compiling, so that the
// plain address never stands in the program (the result keeps the literal's
// closing zero).
template <std::size_t N>
consteval std::array<char, N> StoredAddress(const char (&plain)[N]) {
  std::array<char, N> out{};
  for (std::size_t i = 0; i < N; ++i) out[i] = plain[i];
  cipher::Encipher(out.data(), N - 1);
  return out;
}

std::string EncipherAddress(std::string_view address);
std::string DecipherAddress(std::string_view stored);

// The program's own addresses of the club's server, in the stored form: the
// base address chosen when the program is built (by default a server on this
// machine), then the script or folder.
std::string BuiltInResultsService();
std::string BuiltInStatsService();
std::string BuiltInAccountService();
std::string BuiltInTourService();
std::string BuiltInPhotoFolder();   // photos by nick: folder + nick + ".jpg"
std::string BuiltInPhotoUpload();   // the authenticated photo upload
std::string BuiltInNewsDocument();
std::string BuiltInDirectoryDocument();
std::string BuiltInIpEcho();        // "get_ip.php": the caller's address
std::string BuiltInDownloadFolder();  // resource libraries, station list
std::string BuiltInMusicFolder();     // the music player's songs and "_playlist.html"

}  // namespace varnok
