// Request bodies of the program's operations, as the program builds them.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "server_process.h"

namespace varnok::test {

using Fields = std::vector<std::pair<std::string, std::string>>;

// RawForm: values with "%", "&" and "=" escaped, code page 1251 bytes given.
std::string RawForm(const Fields& fields);
// ListForm: UTF-8 percent-encoding of every byte outside A-Z a-z 0-9 - . _ ~.
std::string ListForm(const Fields& fields);
std::string Percent(const std::string& text);

std::string RegisterBody(const std::string& nick, const std::string& pw, const std::string& city = "Omsk",
                         const std::string& email = "mail@example.org");
std::string SaveResultBody(const std::string& nick, const std::string& pw, int kon, int best, const std::string& rating,
                           int ses, int konl, int score);

// Fields of the first "$...$" record split at `separator`.
std::vector<std::string> FirstRecord(const std::string& reply, char separator = ' ');
// The records of a "$...*" list.
std::vector<std::vector<std::string>> Records(const std::string& reply);

}  // namespace varnok::test
