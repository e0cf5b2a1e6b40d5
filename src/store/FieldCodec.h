// Field values between the API (UTF-8 text, numbers, dates, logicals) and the
// bytes of a record (Windows-1252, blank-padded, numbers right-aligned).
// Faults throw std::invalid_argument naming the field and the problem.
#pragma once

#include <string>
#include <string_view>

#include "store/RecordLayout.h"

namespace vl::store {

// The field's bytes in the record.
std::string_view FieldBytes(const FieldDef& field, std::string_view record);

// The field as text: trailing blanks removed (numbers also leading ones),
// dates "yyyymmdd" or "" (a damaged date reads as empty).
std::string FieldText(const FieldDef& field, std::string_view record);
bool FieldLogical(const FieldDef& field, std::string_view record);
double FieldNumber(const FieldDef& field, std::string_view record);

// The value as the field's field.width bytes. Character: any text that fits
// once in Windows-1252. Date: "yyyymmdd" of a real date, or empty. Logical:
// T, F, Y, N in either case, or empty. Numeric: optional sign, digits, and
// at most field.decimals decimals, or empty.
// The value goes to record[field.offset ...]; on a fault the record is
// left untouched.
void EncodeText(const FieldDef& field, std::string_view value, std::string& record);
void EncodeNumber(const FieldDef& field, double value, std::string& record);

}  // namespace vl::store
