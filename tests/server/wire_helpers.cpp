#include "wire_helpers.h"

#include <cstdio>

namespace varnok::test {

std::string RawForm(const Fields& fields) {
  std::string body;
  for (const auto& [name, value] : fields) {
    if (!body.empty()) body += '&';
    body += name + '=';
    for (char c : value) {
      if (c == '%') body += "%25";
      else if (c == '&') body += "%26";
      else if (c == '=') body += "%3D";
      else body += c;
    }
  }
  return body;
}

std::string Percent(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
        c == '_' || c == '~') {
      out += static_cast<char>(c);
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", c);
      out += hex;
    }
  }
  return out;
}

std::string ListForm(const Fields& fields) {
  std::string body;
  for (const auto& [name, value] : fields) {
    if (!body.empty()) body += '&';
    body += Percent(name) + '=' + Percent(value);
  }
  return body;
}

std::string RegisterBody(const std::string& nick, const std::string& pw, const std::string& city,
                         const std::string& email) {
  return RawForm({{"nick", nick}, {"pw", pw}, {"city", city}, {"country1", "Russia"}, {"country2", "1-001"},
                  {"sex", "M"}, {"email", email}, {"dater", "01.02.2015"}, {"R01", "xxx"}, {"R02", "xxx"},
                  {"R03", "xxx"}, {"R04", "0"}, {"R05", "0"}, {"R06", "0"}});
}

std::string SaveResultBody(const std::string& nick, const std::string& pw, int kon, int best, const std::string& rating,
                           int ses, int konl, int score) {
  const std::string p = "crdVarnok";
  return RawForm({{"nick", nick}, {"pw", pw}, {p + "kon", std::to_string(kon)}, {p + "best", std::to_string(best)},
                  {p + "rating", rating}, {p + "ses", std::to_string(ses)}, {p + "konl", std::to_string(konl)},
                  {p + "score", std::to_string(score)}, {p + "R1", "0"}, {p + "R2", "#"}});
}

std::vector<std::string> FirstRecord(const std::string& reply, char separator) {
  std::vector<std::string> fields;
  const std::size_t open = reply.find('$');
  if (open == std::string::npos) return fields;
  const std::size_t close = reply.find('$', open + 1);
  const std::string record = reply.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
  std::size_t start = 0;
  while (true) {
    const std::size_t at = record.find(separator, start);
    fields.push_back(record.substr(start, at == std::string::npos ? std::string::npos : at - start));
    if (at == std::string::npos) break;
    start = at + 1;
  }
  return fields;
}

std::vector<std::vector<std::string>> Records(const std::string& reply) {
  std::vector<std::vector<std::string>> records;
  std::size_t at = 0;
  while ((at = reply.find('$', at)) != std::string::npos) {
    const std::size_t end = reply.find('*', at);
    if (end == std::string::npos) break;
    records.push_back(FirstRecord(reply.substr(at, end - at) + "$"));
    at = end + 1;
  }
  return records;
}

}  // namespace varnok::test
