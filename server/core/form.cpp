#include "form.h"

#include <cstdint>

#include "cp1251.h"

namespace varnok::server {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string PercentDecode(std::string_view text, bool plus_is_blank) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '%' && i + 2 < text.size()) {
      const int high = HexDigit(text[i + 1]);
      const int low = HexDigit(text[i + 2]);
      if (high >= 0 && low >= 0) {
        out += static_cast<char>(high * 16 + low);
        i += 2;
        continue;
      }
    }
    out += (plus_is_blank && c == '+') ? ' ' : c;
  }
  return out;
}

}  // namespace

std::vector<FormPair> SplitForm(std::string_view body) {
  std::vector<FormPair> pairs;
  std::size_t start = 0;
  while (start <= body.size()) {
    std::size_t end = body.find('&', start);
    if (end == std::string_view::npos) end = body.size();
    const std::string_view piece = body.substr(start, end - start);
    if (!piece.empty()) {
      const std::size_t eq = piece.find('=');
      std::string name = PercentDecode(piece.substr(0, eq), true);
      if (!name.empty()) {
        std::string value = eq == std::string_view::npos ? std::string() : std::string(piece.substr(eq + 1));
        pairs.push_back({std::move(name), std::move(value)});
      }
    }
    if (end == body.size()) break;
    start = end + 1;
  }
  return pairs;
}

std::string DecodeRawValue(std::string_view value) {
  return Cp1251ToUtf8(PercentDecode(value, false));
}

std::optional<std::string> DecodeListValue(std::string_view value) {
  std::string bytes = PercentDecode(value, true);
  if (!IsValidUtf8(bytes)) return std::nullopt;
  return bytes;
}

bool IsValidUtf8(std::string_view text) {
  std::size_t i = 0;
  const auto at = [&](std::size_t k) { return static_cast<std::uint8_t>(text[k]); };
  while (i < text.size()) {
    const std::uint8_t b = at(i);
    if (b < 0x80) {
      ++i;
      continue;
    }
    std::size_t length = 0;
    std::uint32_t cp = 0;
    std::uint32_t min = 0;
    if ((b & 0xE0) == 0xC0) {
      length = 2, cp = b & 0x1F, min = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
      length = 3, cp = b & 0x0F, min = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
      length = 4, cp = b & 0x07, min = 0x10000;
    } else {
      return false;
    }
    if (i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((at(i + k) & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (at(i + k) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

std::optional<Form> Form::Decode(const std::vector<FormPair>& pairs, BodyStyle style) {
  Form form;
  form.fields_.reserve(pairs.size());
  for (const FormPair& pair : pairs) {
    if (form.Has(pair.name)) continue;
    if (style == BodyStyle::kRaw) {
      form.fields_.emplace_back(pair.name, DecodeRawValue(pair.value));
    } else {
      std::optional<std::string> value = DecodeListValue(pair.value);
      if (!value) return std::nullopt;
      form.fields_.emplace_back(pair.name, std::move(*value));
    }
  }
  return form;
}

bool Form::Has(std::string_view name) const { return Find(name) != nullptr; }

const std::string* Form::Find(std::string_view name) const {
  for (const auto& [n, v] : fields_) {
    if (n == name) return &v;
  }
  return nullptr;
}

std::string Form::Get(std::string_view name, std::string_view fallback) const {
  const std::string* value = Find(name);
  return value ? *value : std::string(fallback);
}

bool AnyName(const std::vector<FormPair>& pairs, bool (*test)(std::string_view)) {
  for (const FormPair& pair : pairs) {
    if (test(pair.name)) return true;
  }
  return false;
}

bool HasName(const std::vector<FormPair>& pairs, std::string_view name) {
  for (const FormPair& pair : pairs) {
    if (pair.name == name) return true;
  }
  return false;
}

std::optional<std::string> NameStartingWith(const std::vector<FormPair>& pairs, std::string_view start) {
  for (const FormPair& pair : pairs) {
    if (pair.name.size() >= start.size() && std::string_view(pair.name).substr(0, start.size()) == start) {
      return pair.name;
    }
  }
  return std::nullopt;
}

std::optional<std::string> NameEndingWith(const std::vector<FormPair>& pairs, std::string_view end) {
  for (const FormPair& pair : pairs) {
    if (pair.name.size() >= end.size() && std::string_view(pair.name).substr(pair.name.size() - end.size()) == end) {
      return pair.name;
    }
  }
  return std::nullopt;
}

}  // namespace varnok::server
