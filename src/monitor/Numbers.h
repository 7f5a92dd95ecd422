// Numbers and texts: every rule by which the program writes a number as text or reads one back.
// Nothing else in the program formats or parses numbers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillmere {

// The user's number settings that matter to the program's texts.
struct NumberFormat {
    char decimalSeparator = '.';
};

// Nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
double roundHalfEven(double value);

// A whole number held as a signed 16-bit integer: rounded half to even; nothing when the
// rounded value does not fit (or is not a number).
std::optional<std::int16_t> toInt16(double value);

// A single-precision number; nothing when the value is out of float's range or not a number.
std::optional<float> toSingle(double value);

// The general form of a double: the shortest text of at most 15 significant digits, the given
// decimal separator, no digit grouping, no trailing zeros, "0" before the separator below 1,
// a leading "-" when negative (0.9765625, 1.5, 1048576, -2). Plain notation while the rounded
// magnitude is from 0.00001 up to, not including, 1E+15; exponent notation outside (1E+20, 1.5E-07).
// Not a number and the infinities are written "nan", "inf" and "-inf".
std::string generalForm(double value, NumberFormat format);

// A whole number with no decimals and no grouping (0, 999, -5); halves round to even.
// Not a number and the infinities are written "nan", "inf" and "-inf".
std::string wholeForm(double value);

// Reads a whole text as a number under the given decimal separator: surrounding spaces are
// allowed, then an optional sign, digits with at most one decimal separator, and an optional
// exponent (e or E). Nothing when the text is anything else (empty, "abc", "1.5" under ',')
// or when its number is too large or too small for a double.
std::optional<double> parseNumber(std::string_view text, NumberFormat format);

// Reads a number from the start of a text with "." as the only decimal point, up to the first
// character that cannot continue it; leading spaces are skipped. "4096 KB" -> 4096,
// "1,5 KB" -> 1, "abc" -> 0. The number may carry a sign and an exponent; one too large for a
// double reads as an infinity, one too small as 0.
double leadingNumber(std::string_view text);

// Removes leading and trailing space characters (' ' only).
std::string trimSpaces(std::string_view text);

// Upper case of the ASCII letters; other characters unchanged.
std::string upperCase(std::string_view text);

// The size texts of the memory display. A size enters as a number of bytes; sizes up to 999 are
// written in whole bytes, larger ones in the unit (1024, 2^20, 2^30 bytes). A size that is not a
// finite number gives the empty text.
// Kilobytes: the sign is dropped; the unrounded quotient in general form.
std::string GetFileSizeInKB(double size, NumberFormat format);
// Megabytes: the quotient rounded half to even and held as a signed 64-bit integer; the empty
// text when it does not fit.
std::string GetFileSizeInMB(double size);
// Gigabytes: the unrounded quotient in general form.
std::string GetFileSizeInGB(double size, NumberFormat format);
// The number part of a size text, upper-cased: every "BYTES", then "KB", "MB", "GB" removed.
std::string GetFileSizeWithoutUnit(std::string_view text);

}  // namespace quillmere
