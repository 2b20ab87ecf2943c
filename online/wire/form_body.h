// The two body styles of a post to the club's server.
//
// RawForm: "name=value" pairs joined with "&", sent as code page 1251. A "%",
// "&" or "=" inside a value is written as %25, %26 or %3D, so that a typed
// value can never split a field (the server decodes them); nothing else is
// escaped.
// ListForm: the usual form encoding: every byte of the UTF-8 name and value
// outside letters, digits and "-._~" as %XX, the pairs joined with "&".
#pragma once

#include <string>
#include <vector>

namespace varnok::online {

struct FormField {
  std::string Name;   // UTF-8
  std::string Value;  // UTF-8
  friend bool operator==(const FormField&, const FormField&) = default;
};
using FormFields = std::vector<FormField>;

enum class BodyStyle { RawForm, ListForm };

std::string RawFormBody(const FormFields& fields);
std::string ListFormBody(const FormFields& fields);
std::string FormBody(BodyStyle style, const FormFields& fields);

}  // namespace varnok::online
