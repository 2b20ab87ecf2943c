// The two body styles of the program's form posts.
//
// Both are name=value pairs joined with "&". A RawForm body is code page 1251
// with "%", "&" and "=" inside values escaped as %XX; a ListForm body is UTF-8
// form encoding ("+" for a blank, %XX for every other byte outside the
// unreserved characters). The names of both are plain ASCII, so a body is
// split first, the operation recognised by its names, and only then are the
// values decoded in that operation's style.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnok::server {

struct FormPair {
  std::string name;   // percent-decoded; never empty
  std::string value;  // still as sent
};

enum class BodyStyle { kRaw, kList };

// The pairs of a body in their order. Empty pairs ("&&", a leading or
// trailing "&") are skipped, as is a pair whose name is empty ("=x"). A pair
// without "=" has an empty value.
std::vector<FormPair> SplitForm(std::string_view body);

// RawForm value: %XX (hex, either case) becomes its byte, a "%" not followed
// by two hex digits stays a "%", "+" stays a "+"; the bytes are then read as
// code page 1251. Always succeeds.
std::string DecodeRawValue(std::string_view value);

// ListForm value: %XX becomes its byte, "+" a blank, a stray "%" stays; the
// bytes must then be valid UTF-8, else nothing.
std::optional<std::string> DecodeListValue(std::string_view value);

// The decoded fields of a body, looked up by name (the first pair of a name
// wins).
class Form {
 public:
  Form() = default;
  // Nothing when a value fails to decode in the given style.
  static std::optional<Form> Decode(const std::vector<FormPair>& pairs, BodyStyle style);

  bool Has(std::string_view name) const;
  // The value of a field, or nothing when absent.
  const std::string* Find(std::string_view name) const;
  // The value, or `fallback` when absent.
  std::string Get(std::string_view name, std::string_view fallback = {}) const;
  const std::vector<std::pair<std::string, std::string>>& Fields() const { return fields_; }

 private:
  std::vector<std::pair<std::string, std::string>> fields_;
};

// True when any pair's name satisfies the test.
bool AnyName(const std::vector<FormPair>& pairs, bool (*test)(std::string_view));
bool HasName(const std::vector<FormPair>& pairs, std::string_view name);
// The first name that starts with / ends with the given text, or nothing.
std::optional<std::string> NameStartingWith(const std::vector<FormPair>& pairs, std::string_view start);
std::optional<std::string> NameEndingWith(const std::vector<FormPair>& pairs, std::string_view end);

// True when the text is valid UTF-8 (no overlongs, no surrogates).
bool IsValidUtf8(std::string_view text);

}  // namespace varnok::server
