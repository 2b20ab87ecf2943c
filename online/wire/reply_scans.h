// Reading the server's short replies: records between "$" signs with fields
// cut at blanks, lists of records each closed by "*", keywords such as "ok",
// the number after the last "$", and the statistics status "$?ok#". Also the
// two forms of a real number on the wire and on screen.
//
// A reply is taken as single-byte text (code page 1251 on the wire); every
// mark searched for is ASCII. Nothing here reads outside the reply it is
// given or fails on any input.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnok::online {

// The fields of one record: field 0 is the (empty) text before the record's
// first separator, then fields 1, 2, ...
using RecordFields = std::vector<std::string>;

// Field n of a record, or nothing when the record has fewer fields.
std::optional<std::string_view> Field(const RecordFields& fields, std::size_t n);

// Whether two adjacent characters of the reply form the token.
bool ContainsToken(std::string_view reply, std::string_view token);

// Whether the token stands in the reply outside its first record, that is
// before the record's opening "$" (or anywhere when the reply holds none).
// A refusal is the bare word; the same letters inside a record's data
// ("Novosibirsk", "nobody@...") are data, not a refusal.
bool ContainsTokenOutsideRecord(std::string_view reply, std::string_view token);

// The first record between "$" signs, cut at the separator; nothing when the
// reply holds no "$" before its last character.
std::optional<RecordFields> FirstRecord(std::string_view reply, char separator = ' ');

// Up to `limit` records, each opened by "$" and closed by "*".
std::vector<RecordFields> RecordList(std::string_view reply, std::size_t limit = 10);

// The decimal number after the last "$" that is not the reply's last
// character; nothing when no digits follow it.
std::optional<std::int32_t> LastNumber(std::string_view reply);

// The statistics reply "$?ok#": success when the second and third characters
// after the last "$" are "ok".
bool StatusReply(std::string_view reply);

// A whole decimal number, as the readers take a field: optional blanks and
// sign, then digits only; nothing when the text is not such a number or does
// not fit 32 bits.
std::optional<std::int32_t> ParseInt(std::string_view text);

// A real number written for the server: 0 below 0.00001 in magnitude, else
// the shortest decimal text of up to 15 significant digits with "." as the
// decimal mark, whatever the locale.
std::string FloatToWire(double value);

// A real number read from the server: blanks, "-" and digits are taken; the
// first other character is the decimal mark and ends the walk, the digits
// after it are the fraction. An empty or unreadable text gives 0.
double WireToFloat(std::string_view text);

// A rating as the windows show it: three decimals after a ",", halves to the
// even neighbour ("12,500", "7,000").
std::string RatingText(double value);

// The news number: the five characters after "ZubNews" read as a whole
// number; 0 when the keyword is missing or they are no number.
std::int32_t NewsNumber(std::string_view document);

// The value of a key of the service directory: it starts one character after
// the key and runs to the next "#" or the end; nothing when the key is absent.
std::optional<std::string> DirectoryValue(std::string_view document, std::string_view key);

}  // namespace varnok::online
