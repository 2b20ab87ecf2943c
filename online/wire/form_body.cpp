#include "form_body.h"

#include "cp1251.h"

namespace varnok::online {

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

void AppendEscaped(std::string& out, unsigned char byte) {
  out += '%';
  out += kHex[byte >> 4];
  out += kHex[byte & 0x0F];
}

bool IsUnreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == '~';
}

std::string PercentEncoded(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (IsUnreserved(byte)) {
      out += c;
    } else {
      AppendEscaped(out, byte);
    }
  }
  return out;
}

}  // namespace

std::string RawFormBody(const FormFields& fields) {
  std::string text;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) text += '&';
    text += fields[i].Name;
    text += '=';
    for (const char c : fields[i].Value) {
      if (c == '%' || c == '&' || c == '=') {
        AppendEscaped(text, static_cast<unsigned char>(c));
      } else {
        text += c;
      }
    }
  }
  return Utf8ToCp1251Lossy(text);
}

std::string ListFormBody(const FormFields& fields) {
  std::string text;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) text += '&';
    text += PercentEncoded(fields[i].Name);
    text += '=';
    text += PercentEncoded(fields[i].Value);
  }
  return text;
}

std::string FormBody(BodyStyle style, const FormFields& fields) {
  return style == BodyStyle::RawForm ? RawFormBody(fields) : ListFormBody(fields);
}

}  // namespace varnok::online
