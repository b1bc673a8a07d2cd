// Value helpers shared by the layout reader and the profile loader: the way
// the program turns INI text into numbers and fields.
//
// Portable: no Windows headers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// Reads a decimal integer the way _wtoi does: leading blanks skipped, an
// optional sign, then digits up to the first non-digit. No digits gives 0; a
// number beyond the int range saturates (never undefined behaviour).
int ParseIntLikeWtoi(std::wstring_view text);

// The field with 0-based `index` of `value` split at every `separator`, with
// no trimming. A field beyond the last one is empty, as is any field of an
// empty value. Negative indexes give an empty field.
std::wstring ExtractField(std::wstring_view value, int index, wchar_t separator = L',');

// All fields of `value` split at every `separator` (views into `value`); an
// empty value is one empty field.
std::vector<std::wstring_view> SplitFields(std::wstring_view value, wchar_t separator = L',');

// Number of fields `value` splits into at `separator` (an empty value is one
// empty field).
int FieldCount(std::wstring_view value, wchar_t separator = L',');

// Decimal "%d" formatting.
std::wstring FormatInt(int value);

} // namespace orvane
