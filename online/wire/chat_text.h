// The texts of the chat board: the chat character set (Latin letters, digits,
// "!", "(", ")", ",", "-", ".", "@", "_" and the Cyrillic letters), what a
// message and its stamp become before they are sent, how they are shown, and
// the check of the "My Passport" nick and city that lets a player post.
//
// Texts are UTF-8; a malformed piece counts as a character outside the set.
#pragma once

#include <string>
#include <string_view>

namespace varnok::online {

// The longest message the chat window takes, in characters.
inline constexpr int kChatTextLength = 80;

// Whether one character (a code point) belongs to the chat character set.
bool IsChatCharacter(char32_t c);

// The text with every character outside the chat character set (a blank
// among them) replaced by "_".
std::string ChatSafeText(std::string_view utf8);

// A sent text as the board shows it: every "_" a blank.
std::string ChatShownText(std::string_view utf8);

// The first `characters` characters of a text (never half a character).
std::string ChatClip(std::string_view utf8, std::size_t characters);

// The stamp of a message: the local time, "_", the date, "_", the game's
// title, each made chat-safe (time and date as the locale writes them).
std::string ChatStamp(std::string_view long_time, std::string_view short_date, std::string_view title);

// The lamp of a passport field: 1 red (refused), 2 yellow (acceptable, with
// Cyrillic letters), 3 green (good). A nick takes 2 to 12 characters, a city
// 2 to 15, both of the chat character set.
enum class PassportField { Nick, City };
int PassportLamp(std::string_view utf8, PassportField field);

// A player may post while both the passport nick and city are acceptable.
bool PassportAcceptable(std::string_view nick, std::string_view city);

}  // namespace varnok::online
