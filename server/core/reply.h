// Writing the replies the program reads: records between "$" signs with
// blank-separated fields, lists of records each closed by "*", a number after
// the last "$", the statistics status "$1ok#". Replies go out in code page
// 1251.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnok::server {

// A value for a blank-separated record: every blank, "$", "*", "~" and
// control character becomes "_"; an empty value becomes "#" so that no field
// goes missing.
std::string WireValue(std::string_view utf8);
// A value for the "~"-separated profile record: "$", "*", "~" and control
// characters become "_"; blanks stay.
std::string ProfileValue(std::string_view utf8);

// "$f1 f2 ... fn$" of values already made safe.
std::string Record(const std::vector<std::string>& fields);
// "$f1 f2 ... fn*" of one list entry.
std::string ListEntry(const std::vector<std::string>& fields);
// "$n$".
std::string NumberReply(long long n);
// "$1ok#" or "$1no#".
std::string StatusReply(bool ok);

// A real number as the program writes it: 0 below 0.00001 in magnitude,
// otherwise the shortest decimal text of up to 15 significant digits with a
// "." as the decimal mark and never an exponent.
std::string FloatToWire(double value);

// Integers and reals as the program sends them; nothing on anything else
// (blanks, signs in the wrong place, overflow of 32 bits).
std::optional<std::int32_t> ParseInt32(std::string_view text);
std::optional<double> ParseReal(std::string_view text);  // "." or "," decimal mark

// The UTF-8 reply text as code page 1251 bytes (a character the code page
// lacks becomes "?").
std::string ToWire(std::string_view utf8);

}  // namespace varnok::server
