// Small helpers of the operation readers: a record field taken as text or as
// a number into a result that keeps its start value when the field is absent.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "operations.h"
#include "reply_scans.h"

namespace varnok::online::detail {

// Field n as UTF-8 text, into `out` when the record has it.
void TakeText(const RecordFields& fields, std::size_t n, std::string& out);
// The first character of field n, when the record has one.
void TakeChar(const RecordFields& fields, std::size_t n, char& out);
// Field n as a whole number: 1 when taken or absent, 0 when the field is
// there but is no number. The results of several fields are joined with "&",
// so that every field is read even after a bad one.
unsigned TakeInt(const RecordFields& fields, std::size_t n, std::int32_t& out);
// Field n by WireToFloat.
void TakeReal(const RecordFields& fields, std::size_t n, double& out);

std::string Decimal(std::int64_t value);

// The number after the last "$": the reply's number, or -1 and a failed flag.
NumberResult ReadLastNumber(Reply reply);

}  // namespace varnok::online::detail
