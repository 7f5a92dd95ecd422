#include "monitor/Numbers.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace quillmere {

namespace {

constexpr int kSignificantDigits = 15;
// Plain notation from 1E-05 up to (not including) 1E+15; exponent notation outside.
constexpr int kLowestPlainExponent = -5;
constexpr int kHighestPlainExponent = kSignificantDigits - 1;

constexpr double kBytesPerKB = 1024.0;
constexpr double kBytesPerMB = 1048576.0;
constexpr double kBytesPerGB = 1073741824.0;
// Sizes up to this many bytes are written in bytes; larger ones in the formatter's unit.
constexpr double kLargestSizeInBytes = 999.0;

constexpr std::array<std::string_view, 4> kUnitWords = {"BYTES", "KB", "MB", "GB"};

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Room for every whole double in plain digits (DBL_MAX has 309) and a sign.
using NumberBuffer = std::array<char, 320>;

std::string nonFiniteText(double value)
{
    if (std::isnan(value)) {
        return "nan";
    }
    return value < 0 ? "-inf" : "inf";
}

// The exponent of a number in scientific notation: E, its sign and at least two digits (1E+20, 1.5E-07).
std::string exponentSuffix(int exponent)
{
    const int magnitude = std::abs(exponent);
    return std::string("E") + (exponent < 0 ? "-" : "+") + (magnitude < 10 ? "0" : "") +
           std::to_string(magnitude);
}

// A number in the notation read by std::from_chars: an optional "-", digits with "." as the
// separator and an optional exponent; out of range (in either direction) gives nothing.
std::optional<double> valueOfNormalised(std::string_view number)
{
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec != std::errc()) {
        return std::nullopt;
    }
    return value;
}

// Whether a number that a double cannot hold is too large rather than too small: the place of its
// first significant digit, moved by its exponent, tells. The number is normalised and not zero.
bool isTooLarge(std::string_view number)
{
    const std::size_t exponentAt = number.find_first_of("eE");
    int exponent = 0;
    if (exponentAt != std::string_view::npos) {
        std::string_view exponentText = number.substr(exponentAt + 1);
        const bool negativeExponent = exponentText.front() == '-';
        if (exponentText.front() == '+' || negativeExponent) {
            exponentText.remove_prefix(1);
        }
        const auto result = std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
        if (result.ec == std::errc::result_out_of_range) {
            return !negativeExponent;
        }
        exponent = negativeExponent ? -exponent : exponent;
    }
    const std::string_view mantissa = number.substr(0, exponentAt);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t firstSignificant = mantissa.find_first_of("123456789");
    const long long place = firstSignificant < point ? static_cast<long long>(point - firstSignificant - 1)
                                                     : -static_cast<long long>(firstSignificant - point);
    return place + exponent > 0;
}

// The number at the start of a text: an optional sign, digits with at most one separator, then an
// exponent if one with digits follows. Both readers of numbers share this one grammar.
struct ScannedNumber {
    std::size_t length = 0;  // characters of the text that belong to the number; 0 when there is none
    std::string normalised;  // the same number as std::from_chars reads it
};

ScannedNumber scanNumber(std::string_view text, char decimalSeparator)
{
    ScannedNumber scanned;
    std::size_t at = 0;
    const auto skipDigits = [&] {
        const std::size_t start = at;
        while (at < text.size() && isDigit(text[at])) {
            ++at;
        }
        return at - start;
    };
    const auto takeSign = [&] {
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
            ++at;
        }
    };

    takeSign();
    if (at > 0 && text[0] == '-') {
        scanned.normalised += '-';
    }
    const std::size_t mantissaStart = at;
    std::size_t digitCount = skipDigits();
    if (at < text.size() && text[at] == decimalSeparator) {
        ++at;
        digitCount += skipDigits();
    }
    if (digitCount == 0) {
        return {};
    }
    for (const char c : text.substr(mantissaStart, at - mantissaStart)) {
        scanned.normalised += c == decimalSeparator ? '.' : c;
    }

    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        const std::size_t exponentStart = at;
        ++at;
        takeSign();
        if (skipDigits() == 0) {
            at = exponentStart;  // "12e" or "12e+": the number ends before the letter
        } else {
            scanned.normalised += text.substr(exponentStart, at - exponentStart);
        }
    }
    scanned.length = at;
    return scanned;
}

// A rounded count held as a signed 64-bit integer; nothing when it does not fit.
std::optional<std::int64_t> toInt64(double wholeValue)
{
    constexpr double kInt64Bound = 9223372036854775808.0;  // 2^63
    if (!(wholeValue >= -kInt64Bound && wholeValue < kInt64Bound)) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(wholeValue);
}

std::string bytesText(double size)
{
    return wholeForm(size) + " bytes";
}

std::string removeEvery(std::string_view text, std::string_view word)
{
    std::string result;
    std::size_t from = 0;
    for (std::size_t found = text.find(word); found != std::string_view::npos; found = text.find(word, from)) {
        result += text.substr(from, found - from);
        from = found + word.size();
    }
    result += text.substr(from);
    return result;
}

}  // namespace

double roundHalfEven(double value)
{
    // std::round takes halves away from zero; an odd result of a half goes back one step to the even neighbour.
    const double rounded = std::round(value);
    if (std::fabs(rounded - value) == 0.5 && std::fmod(rounded, 2.0) != 0.0) {
        return rounded - std::copysign(1.0, value);
    }
    return rounded;
}

std::optional<std::int16_t> toInt16(double value)
{
    const double rounded = roundHalfEven(value);
    if (!(rounded >= std::numeric_limits<std::int16_t>::min() && rounded <= std::numeric_limits<std::int16_t>::max())) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(rounded);
}

std::optional<float> toSingle(double value)
{
    if (std::isnan(value) || std::fabs(value) > FLT_MAX) {
        return std::nullopt;
    }
    return static_cast<float>(value);
}

std::string generalForm(double value, NumberFormat format)
{
    if (!std::isfinite(value)) {
        return nonFiniteText(value);
    }
    if (value == 0) {
        return "0";
    }

    // Scientific notation rounds to the significant digits once: "d.dddddddddddddde±XX".
    NumberBuffer buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
                                      std::chars_format::scientific, kSignificantDigits - 1);
    const std::string_view scientific(buffer.data(), result.ptr);
    const std::size_t exponentAt = scientific.find('e');
    int exponent = 0;
    std::from_chars(scientific.data() + exponentAt + 2, scientific.data() + scientific.size(), exponent);
    if (scientific[exponentAt + 1] == '-') {
        exponent = -exponent;
    }
    std::string digits;
    for (const char c : scientific.substr(0, exponentAt)) {
        if (c != '.') {
            digits += c;
        }
    }
    digits.erase(digits.find_last_not_of('0') + 1);

    std::string text = value < 0 ? "-" : "";
    const auto appendFraction = [&](std::string_view fraction) {
        if (!fraction.empty()) {
            text += format.decimalSeparator;
            text += fraction;
        }
    };
    if (exponent < kLowestPlainExponent || exponent > kHighestPlainExponent) {
        text += digits.front();
        appendFraction(std::string_view(digits).substr(1));
        text += exponentSuffix(exponent);
    } else if (exponent < 0) {
        text += '0';
        appendFraction(std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits);
    } else {
        const std::size_t wholeDigitCount = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() < wholeDigitCount) {
            digits.append(wholeDigitCount - digits.size(), '0');
        }
        text += digits.substr(0, wholeDigitCount);
        appendFraction(std::string_view(digits).substr(wholeDigitCount));
    }
    return text;
}

std::string wholeForm(double value)
{
    if (!std::isfinite(value)) {
        return nonFiniteText(value);
    }
    NumberBuffer buffer{};
    // Adding 0.0 turns -0 into 0, so that nothing is written as "-0".
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), roundHalfEven(value) + 0.0,
                                      std::chars_format::fixed, 0);
    return std::string(buffer.data(), result.ptr);
}

std::optional<double> parseNumber(std::string_view text, NumberFormat format)
{
    const std::string trimmed = trimSpaces(text);
    const ScannedNumber scanned = scanNumber(trimmed, format.decimalSeparator);
    if (scanned.length == 0 || scanned.length != trimmed.size()) {
        return std::nullopt;
    }
    return valueOfNormalised(scanned.normalised);
}

double leadingNumber(std::string_view text)
{
    const std::size_t start = std::min(text.find_first_not_of(' '), text.size());
    const ScannedNumber scanned = scanNumber(text.substr(start), '.');
    if (scanned.length == 0) {
        return 0;
    }
    if (const auto value = valueOfNormalised(scanned.normalised)) {
        return *value;
    }
    const bool negative = scanned.normalised.front() == '-';
    const double limit = isTooLarge(scanned.normalised) ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -limit : limit;
}

std::string trimSpaces(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

std::string upperCase(std::string_view text)
{
    std::string result(text);
    for (char& c : result) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return result;
}

// A size that is not a finite number cannot be converted: every formatter gives the empty text.

std::string GetFileSizeInKB(double size, NumberFormat format)
{
    if (!std::isfinite(size)) {
        return {};
    }
    // Only the kilobyte text drops the sign.
    const double magnitude = std::fabs(size);
    if (magnitude > kLargestSizeInBytes) {
        return generalForm(magnitude / kBytesPerKB, format) + " KB";
    }
    return bytesText(magnitude);
}

std::string GetFileSizeInMB(double size)
{
    if (!std::isfinite(size)) {
        return {};
    }
    if (size > kLargestSizeInBytes) {
        const auto megabytes = toInt64(roundHalfEven(size / kBytesPerMB));
        if (!megabytes) {
            return {};
        }
        return std::to_string(*megabytes) + " MB";
    }
    return bytesText(size);
}

std::string GetFileSizeInGB(double size, NumberFormat format)
{
    if (!std::isfinite(size)) {
        return {};
    }
    if (size > kLargestSizeInBytes) {
        return generalForm(size / kBytesPerGB, format) + " GB";
    }
    return bytesText(size);
}

std::string GetFileSizeWithoutUnit(std::string_view text)
{
    // One pass per word, in this order: "BYTES" first, so that "12 KBYTES" keeps its "K".
    std::string stripped(text);
    for (const std::string_view word : kUnitWords) {
        stripped = removeEvery(trimSpaces(upperCase(stripped)), word);
    }
    return trimSpaces(stripped);
}

}  // namespace quillmere
