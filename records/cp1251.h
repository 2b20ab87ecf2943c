// Code page 1251, the 8-bit Cyrillic code page of the program's files, game
// records and server requests, and its conversion to and from UTF-8, the
// form every text takes in memory.
//
// Every one of the 256 bytes stands for exactly one character. Byte 0x98,
// which the code page leaves unassigned, stands for the C1 control U+0098
// (as the Windows converter does), so any byte string survives the trip to
// UTF-8 and back unchanged, whatever a file holds.
//
// The way back is partial: a character the code page cannot hold, and every
// malformed piece of UTF-8, either makes the strict conversion give nothing
// or becomes one '?' in the lossy one. Neither ever fails on its input.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace varnok {

// What the lossy conversion writes for a character it cannot convert.
inline constexpr char kCp1251Replacement = '?';

// The character of one byte.
char32_t Cp1251ToUnicode(unsigned char byte);

// The byte of one character, or nothing when the code page lacks it.
std::optional<unsigned char> UnicodeToCp1251(char32_t code_point);

// UTF-8 text of bytes in code page 1251.
std::string Cp1251ToUtf8(std::string_view bytes);

// Code page 1251 bytes of UTF-8 text; nothing when the text is not valid
// UTF-8 or holds a character the code page lacks.
std::optional<std::string> Utf8ToCp1251(std::string_view text);

// As Utf8ToCp1251, but every character the code page lacks and every
// malformed sequence (the longest piece that could start a valid one) becomes
// kCp1251Replacement.
std::string Utf8ToCp1251Lossy(std::string_view text);

}  // namespace varnok
