#include "operation_fields.h"

#include "cp1251.h"

namespace varnok::online::detail {

void TakeText(const RecordFields& fields, std::size_t n, std::string& out) {
  if (const auto field = Field(fields, n)) out = Cp1251ToUtf8(*field);
}

void TakeChar(const RecordFields& fields, std::size_t n, char& out) {
  const auto field = Field(fields, n);
  if (!field || field->empty()) return;
  const auto byte = static_cast<unsigned char>(field->front());
  // The sex and state letters are ASCII; any other byte is kept out of the record.
  out = byte < 0x80 ? static_cast<char>(byte) : '?';
}

unsigned TakeInt(const RecordFields& fields, std::size_t n, std::int32_t& out) {
  const auto field = Field(fields, n);
  if (!field) return 1;
  const auto value = ParseInt(*field);
  if (!value) return 0;
  out = *value;
  return 1;
}

void TakeReal(const RecordFields& fields, std::size_t n, double& out) {
  if (const auto field = Field(fields, n)) out = WireToFloat(*field);
}

std::string Decimal(std::int64_t value) { return std::to_string(value); }

NumberResult ReadLastNumber(Reply reply) {
  NumberResult result;
  if (!reply) return result;
  if (const auto number = LastNumber(*reply)) {
    result.Value = *number;
    result.Ok = true;
  }
  return result;
}

}  // namespace varnok::online::detail
