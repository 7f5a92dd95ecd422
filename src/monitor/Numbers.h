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
// a leading "-" when negative (0.9765625, 1.5, 1048576, -2).
std::string generalForm(double value, NumberFormat format);

// A whole number with no decimals and no grouping (0, 999, -5); halves round to even.
std::string wholeForm(double value);

// Reads a whole text as a number under the given decimal separator: surrounding spaces are
// allowed, then an optional sign, digits with at most one decimal separator, and an optional
// exponent (e or E). Nothing when the text is anything else (empty, "abc", "1.5" under ',').
std::optional<double> parseNumber(std::string_view text, NumberFormat format);

// Reads a number from the start of a text with "." as the only decimal point, up to the first
// character that cannot continue it; leading spaces are skipped. "4096 KB" -> 4096,
// "1,5 KB" -> 1, "abc" -> 0.
double leadingNumber(std::string_view text);

// Removes leading and trailing space characters.
std::string trimSpaces(std::string_view text);

// Upper case of the ASCII letters; other characters unchanged.
std::string upperCase(std::string_view text);

// The size texts of the memory display. A size enters as a number of bytes.
std::string GetFileSizeInKB(double size, NumberFormat format);
std::string GetFileSizeInMB(double size);
std::string GetFileSizeInGB(double size, NumberFormat format);
// The number part of a size text, upper-cased: every "BYTES", then "KB", "MB", "GB" removed.
std::string GetFileSizeWithoutUnit(std::string_view text);

}  // namespace quillmere
