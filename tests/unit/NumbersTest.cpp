#include "monitor/Numbers.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace quillmere {
namespace {

constexpr NumberFormat kPoint{'.'};
constexpr NumberFormat kComma{','};
constexpr double kKB = 1024.0;
constexpr double kMB = 1048576.0;
constexpr double kGB = 1073741824.0;
constexpr double kInfinity = std::numeric_limits<double>::infinity();
const double kNaN = std::nan("");

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbourAndOtherValuesToTheNearest)
{
    struct Case {
        double value;
        double rounded;
    };
    const Case cases[] = {
        {2.5, 2},    {3.5, 4},   {-2.5, -2}, {-3.5, -4}, {0.5, 0}, {1.5, 2}, {-0.5, 0},
        {2.4, 2},    {2.6, 3},   {-2.6, -3}, {12.5, 12}, {37.5, 38},
        // Just below a half: adding 0.5 and flooring would give 1 here.
        {0.49999999999999994, 0},
        // Odd whole numbers above 2^52, where adding 0.5 is no longer exact.
        {4503599627370497.0, 4503599627370497.0},
        {1e300, 1e300},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(roundHalfEven(c.value), c.rounded);
    }
    EXPECT_TRUE(std::isnan(roundHalfEven(kNaN)));
    EXPECT_EQ(roundHalfEven(-kInfinity), -kInfinity);
}

TEST(ToInt16, RoundsHalfToEvenThenChecksTheRange)
{
    struct Case {
        double value;
        std::optional<std::int16_t> held;
    };
    const Case cases[] = {
        {0, 0},
        {32767, 32767},
        {32767.4, 32767},
        {32766.5, 32766},
        {32767.5, std::nullopt},  // rounds to 32768
        {32768, std::nullopt},
        {-32768, -32768},
        {-32768.5, -32768},        // the even neighbour is inside
        {-32767.5, -32768},
        {-32768.6, std::nullopt},
        {-32769, std::nullopt},
        {12.5, 12},
        {1e10, std::nullopt},
        {kNaN, std::nullopt},
        {kInfinity, std::nullopt},
        {-kInfinity, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(toInt16(c.value), c.held);
    }
}

TEST(ToSingle, HoldsEveryValueUpToFloatsLimitAndNothingBeyond)
{
    const double justAboveFloatMax = std::nextafter(static_cast<double>(FLT_MAX), kInfinity);
    struct Case {
        double value;
        std::optional<float> held;
    };
    const Case cases[] = {
        {1.5, 1.5f},
        {4294967296.0, 4294967296.0f},
        {FLT_MAX, FLT_MAX},
        {-FLT_MAX, -FLT_MAX},
        {justAboveFloatMax, std::nullopt},
        {-justAboveFloatMax, std::nullopt},
        {1e300, std::nullopt},
        {kInfinity, std::nullopt},
        {kNaN, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(toSingle(c.value), c.held);
    }
}

struct FormCase {
    double value;
    NumberFormat format;
    const char* text;
};

TEST(GeneralForm, WritesTheShortestTextOfFifteenSignificantDigits)
{
    const FormCase cases[] = {
        {0, kPoint, "0"},
        {-0.0, kPoint, "0"},
        {1.5, kPoint, "1.5"},
        {-2, kPoint, "-2"},
        {100, kPoint, "100"},
        {0.9765625, kPoint, "0.9765625"},
        {1048576, kPoint, "1048576"},
        {0.1, kPoint, "0.1"},
        {1.0 / 3.0, kPoint, "0.333333333333333"},
        {2.0 / 3.0, kPoint, "0.666666666666667"},
        {-2.0 / 3.0, kPoint, "-0.666666666666667"},
        {2147483647.0 / 1024.0, kPoint, "2097151.99902344"},
        {123456789012345.0, kPoint, "123456789012345"},
        {999999999999999.0, kPoint, "999999999999999"},
        // A 16th digit is rounded away, carrying into the 15th.
        {1234567890123456.0, kPoint, "1.23456789012346E+15"},
        {0.1234567890123456, kPoint, "0.123456789012346"},
        {1.5, kComma, "1,5"},
        {-0.0009765625, kComma, "-0,0009765625"},
        {1048576, kComma, "1048576"},
    };
    for (const FormCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(generalForm(c.value, c.format), c.text);
    }
}

TEST(GeneralForm, UsesPlainNotationFromOneHundredThousandthUpToTenToTheFifteen)
{
    const FormCase cases[] = {
        {0.00001, kPoint, "0.00001"},
        {-0.00001, kPoint, "-0.00001"},
        {0.000012345, kPoint, "0.000012345"},
        {0.0000099999, kPoint, "9.9999E-06"},
        {1.5e-7, kPoint, "1.5E-07"},
        {1.5e-7, kComma, "1,5E-07"},
        {999999999999999.0, kPoint, "999999999999999"},
        {1e15, kPoint, "1E+15"},
        // Rounds to 1E+15 at fifteen digits.
        {999999999999999.9, kPoint, "1E+15"},
        {1e20, kPoint, "1E+20"},
        {-2.5e20, kComma, "-2,5E+20"},
        {1e300, kPoint, "1E+300"},
        {1e-300, kPoint, "1E-300"},
    };
    for (const FormCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(generalForm(c.value, c.format), c.text);
    }
}

TEST(WholeForm, RoundsHalvesToEvenWithoutDecimalsOrGrouping)
{
    const FormCase cases[] = {
        {0, kPoint, "0"},
        {999, kPoint, "999"},
        {-5, kPoint, "-5"},
        {2.5, kPoint, "2"},
        {3.5, kPoint, "4"},
        {-2.5, kPoint, "-2"},
        {-0.4, kPoint, "0"},
        {1234567, kPoint, "1234567"},
        {1e20, kPoint, "100000000000000000000"},
    };
    for (const FormCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(wholeForm(c.value), c.text);
    }
}

TEST(NumberForms, WriteNonFiniteValuesByName)
{
    for (const NumberFormat format : {kPoint, kComma}) {
        EXPECT_EQ(generalForm(kInfinity, format), "inf");
        EXPECT_EQ(generalForm(-kInfinity, format), "-inf");
        EXPECT_EQ(generalForm(kNaN, format), "nan");
    }
    EXPECT_EQ(wholeForm(kInfinity), "inf");
    EXPECT_EQ(wholeForm(-kInfinity), "-inf");
    EXPECT_EQ(wholeForm(kNaN), "nan");
}

// The program's texts must not follow the C library's locale. Runs where a locale with a comma
// decimal point is installed.
TEST(NumberForms, DoNotFollowTheCLocale)
{
    struct LocaleRestorer {
        std::string previous = std::setlocale(LC_ALL, nullptr);
        ~LocaleRestorer() { std::setlocale(LC_ALL, previous.c_str()); }
    } restorer;
    const char* commaLocale = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "de_DE", "fr_FR"}) {
        if (std::setlocale(LC_ALL, name) != nullptr) {
            commaLocale = name;
            break;
        }
    }
    if (commaLocale == nullptr) {
        GTEST_SKIP() << "no locale with a comma decimal point is installed";
    }
    ASSERT_EQ(*std::localeconv()->decimal_point, ',') << commaLocale;

    EXPECT_EQ(generalForm(1.5, kPoint), "1.5");
    EXPECT_EQ(generalForm(1.5, kComma), "1,5");
    EXPECT_EQ(parseNumber("1.5", kPoint), 1.5);
    EXPECT_EQ(parseNumber("1,5", kComma), 1.5);
    EXPECT_EQ(parseNumber("1,5", kPoint), std::nullopt);
    EXPECT_EQ(leadingNumber("1.5 KB"), 1.5);
    EXPECT_EQ(GetFileSizeInKB(1536, kPoint), "1.5 KB");
}

TEST(ParseNumber, ReadsAWholeTextUnderTheGivenSeparator)
{
    struct Case {
        const char* text;
        NumberFormat format;
        std::optional<double> value;
    };
    const Case cases[] = {
        {"4096", kPoint, 4096},
        {"0.9765625", kPoint, 0.9765625},
        {"1,5", kComma, 1.5},
        {"  1.5  ", kPoint, 1.5},
        {"+2", kPoint, 2},
        {"-2.5", kPoint, -2.5},
        {"-0,25", kComma, -0.25},
        {".5", kPoint, 0.5},
        {"5.", kPoint, 5},
        {"1e3", kPoint, 1000},
        {"1.5E-07", kPoint, 1.5e-7},
        {"9,31322574615479E-07", kComma, 9.31322574615479e-7},
        {"2E+20", kPoint, 2e20},
        {"2097151.99902344", kPoint, 2097151.99902344},
        {"1e308", kPoint, 1e308},
        // Rejected texts.
        {"", kPoint, std::nullopt},
        {"   ", kPoint, std::nullopt},
        {"abc", kPoint, std::nullopt},
        {"1.5", kComma, std::nullopt},
        {"1,5", kPoint, std::nullopt},
        {"1.000.000", kPoint, std::nullopt},
        {"1,000", kPoint, std::nullopt},
        {".", kPoint, std::nullopt},
        {"-", kPoint, std::nullopt},
        {"+-1", kPoint, std::nullopt},
        {"- 1", kPoint, std::nullopt},
        {"1 2", kPoint, std::nullopt},
        {"12 K", kPoint, std::nullopt},
        {"1e", kPoint, std::nullopt},
        {"1e+", kPoint, std::nullopt},
        {"e5", kPoint, std::nullopt},
        {"0x10", kPoint, std::nullopt},
        {"inf", kPoint, std::nullopt},
        {"nan", kPoint, std::nullopt},
        {"\t1", kPoint, std::nullopt},
        {"1e400", kPoint, std::nullopt},
        {"-1e400", kPoint, std::nullopt},
        {"1e-400", kPoint, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.text + "\" under '" + c.format.decimalSeparator + "'");
        EXPECT_EQ(parseNumber(c.text, c.format), c.value);
    }
}

TEST(LeadingNumber, ReadsTheNumberAtTheStartWithAPointAsDecimalPoint)
{
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"4096 KB", 4096},
        {"0.9765625 KB", 0.9765625},
        {"1,5 KB", 1},
        {"   12.5x", 12.5},
        {"-7 bytes", -7},
        {"+3", 3},
        {"1.5E-07 GB", 1.5e-7},
        {"1.5E+3 KB", 1500},
        {"12e", 12},       // the exponent needs digits
        {"12e+x", 12},
        {"12 e5", 12},
        {"1.2.3", 1.2},
        {".5", 0.5},
        {"abc", 0},
        {"", 0},
        {"-", 0},
        {". 5", 0},
        {"KB 12", 0},
        {"1e400", kInfinity},
        {"-1e400 KB", -kInfinity},
        {"0.0000000000000001e-320", 0},
        {"1e-400", 0},
        {"1e99999999999999999999", kInfinity},
        {"1e-99999999999999999999", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(leadingNumber(c.text), c.value);
    }
    // Beyond a double's range by its digits alone, without an exponent.
    EXPECT_EQ(leadingNumber("1" + std::string(400, '0') + " KB"), kInfinity);
    EXPECT_EQ(leadingNumber("0." + std::string(400, '0') + "1 KB"), 0);
    // A number that is too small for a double keeps its sign.
    EXPECT_TRUE(std::signbit(leadingNumber("-1e-400")));
}

TEST(Texts, TrimSpacesAndUpperCase)
{
    EXPECT_EQ(trimSpaces("  a b  "), "a b");
    EXPECT_EQ(trimSpaces("    "), "");
    EXPECT_EQ(trimSpaces(""), "");
    EXPECT_EQ(trimSpaces("\tx\t"), "\tx\t");  // only the space character is trimmed
    EXPECT_EQ(upperCase("12 kBytes mb Gb"), "12 KBYTES MB GB");
    EXPECT_EQ(upperCase("a\xE4z-{}"), "A\xE4Z-{}");  // bytes outside ASCII letters stay
}

struct SizeCase {
    double size;
    const char* text;
};

void expectSizeTexts(std::string (*formatter)(double, NumberFormat), NumberFormat format,
                     const std::vector<SizeCase>& cases)
{
    for (const SizeCase& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " under '" + format.decimalSeparator + "'");
        EXPECT_EQ(formatter(c.size, format), c.text);
    }
}

TEST(GetFileSizeInKB, WritesBytesUpTo999AndTheUnroundedKilobytesAbove)
{
    expectSizeTexts(GetFileSizeInKB, kPoint,
                    {
                        {0, "0 bytes"},
                        {999, "999 bytes"},
                        {1000, "0.9765625 KB"},
                        {1023, "0.9990234375 KB"},
                        {1024, "1 KB"},
                        {1536, "1.5 KB"},
                        {2147483647, "2097151.99902344 KB"},
                        {4294967295.0, "4194303.99902344 KB"},
                        {64 * kGB, "67108864 KB"},
                        {64 * kGB + 12345, "67108876.0556641 KB"},
                        {4 * 1024 * kGB, "4294967296 KB"},
                        {16 * 1024 * kGB + 1000, "17179869184.9766 KB"},
                        {-1, "1 bytes"},
                        {-2048, "2 KB"},
                        {-999, "999 bytes"},
                        {998.5, "998 bytes"},  // whole bytes, half to even
                        {997.5, "998 bytes"},
                        {999.4, "0.9759765625 KB"},  // anything above 999, not only from 1000
                        {kNaN, ""},
                        {kInfinity, ""},
                        {-kInfinity, ""},
                    });
    expectSizeTexts(GetFileSizeInKB, kComma,
                    {
                        {1536, "1,5 KB"},
                        {1000, "0,9765625 KB"},
                        {2147483647, "2097151,99902344 KB"},
                        {64 * kGB, "67108864 KB"},
                        {999, "999 bytes"},
                    });
}

TEST(GetFileSizeInMB, WritesWholeMegabytesRoundedHalfToEvenAndKeepsTheSign)
{
    const auto inMB = [](double size, NumberFormat) { return GetFileSizeInMB(size); };
    expectSizeTexts(inMB, kPoint,
                    {
                        {999, "999 bytes"},
                        {1000, "0 MB"},
                        {524288, "0 MB"},  // exactly half a megabyte
                        {524289, "1 MB"},
                        {kMB, "1 MB"},
                        {1.5 * kMB, "2 MB"},
                        {2.5 * kMB, "2 MB"},
                        {3.5 * kMB, "4 MB"},
                        {2147483647, "2048 MB"},
                        {32767 * kMB, "32767 MB"},
                        {32768 * kMB, "32768 MB"},  // beyond a 16-bit count
                        {128 * 1024 * 1024 * kMB, "134217728 MB"},  // a 64-bit process's virtual space
                        {(9223372036854775808.0 - 1024) * kMB, "9223372036854774784 MB"},
                        {9223372036854775808.0 * kMB, ""},  // 2^63 megabytes do not fit
                        {1e300, ""},
                        {-5, "-5 bytes"},
                        {-2048, "-2048 bytes"},
                        {-1e12, "-1000000000000 bytes"},
                        {kNaN, ""},
                        {kInfinity, ""},
                        {-kInfinity, ""},
                    });
}

TEST(GetFileSizeInGB, WritesTheUnroundedGigabytesAndKeepsTheSign)
{
    expectSizeTexts(GetFileSizeInGB, kPoint,
                    {
                        {999, "999 bytes"},
                        {-2048, "-2048 bytes"},
                        {kGB, "1 GB"},
                        {1.5 * kGB, "1.5 GB"},
                        {64 * kGB, "64 GB"},
                        {4 * 1024 * kGB, "4096 GB"},
                        {6 * 1024 * kGB + 1.5 * kGB, "6145.5 GB"},
                        {2147483647, "1.99999999906868 GB"},
                        {1000, "9.31322574615479E-07 GB"},
                        {kNaN, ""},
                        {kInfinity, ""},
                    });
    expectSizeTexts(GetFileSizeInGB, kComma,
                    {
                        {1.5 * kGB, "1,5 GB"},
                        {1000, "9,31322574615479E-07 GB"},
                    });
}

TEST(GetFileSizeWithoutUnit, RemovesTheUnitWordsInOrderAndTrims)
{
    struct Case {
        const char* text;
        const char* number;
    };
    const Case cases[] = {
        {"4096 KB", "4096"},
        {"  2048 mb  ", "2048"},
        {"999 bytes", "999"},
        {"0.9765625 KB", "0.9765625"},
        {"1,5 KB", "1,5"},
        {"9.31322574615479E-07 GB", "9.31322574615479E-07"},
        {"", ""},
        {"    ", ""},
        {"12 KBYTES", "12 K"},  // BYTES goes first
        {"12 ByTeS", "12"},
        {"KB 12 kb", "12"},     // every occurrence, anywhere
        {"1 GBMBKB", "1"},
        {"KKBB", "KB"},         // one pass per word: what a removal joins stays
        {"  abc def ", "ABC DEF"},
        {"12 K B", "12 K B"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.text + "\"");
        EXPECT_EQ(GetFileSizeWithoutUnit(c.text), c.number);
    }
}

// The display writes a size, strips its unit and reads the number back under the same separator.
TEST(SizeTexts, ReadBackAsTheQuotientUnderTheSameSeparator)
{
    const double sizes[] = {1000, 1023, 1536, 1048576, 2147483647, 4294967295.0, 64 * kGB + 12345};
    for (const NumberFormat format : {kPoint, kComma}) {
        for (const double size : sizes) {
            SCOPED_TRACE(std::to_string(size) + " under '" + format.decimalSeparator + "'");
            const auto kilobytes = parseNumber(GetFileSizeWithoutUnit(GetFileSizeInKB(size, format)), format);
            ASSERT_TRUE(kilobytes.has_value());
            EXPECT_NEAR(*kilobytes, size / kKB, size / kKB * 1e-14);
            const auto gigabytes = parseNumber(GetFileSizeWithoutUnit(GetFileSizeInGB(size, format)), format);
            ASSERT_TRUE(gigabytes.has_value());
            EXPECT_NEAR(*gigabytes, size / kGB, size / kGB * 1e-14);
        }
    }
    EXPECT_EQ(parseNumber(GetFileSizeWithoutUnit("999 bytes"), kComma), 999);
    EXPECT_EQ(parseNumber(GetFileSizeWithoutUnit(GetFileSizeInMB(3.5 * kMB)), kComma), 4);
    // Under a comma the leading number stops at the comma.
    EXPECT_EQ(leadingNumber(GetFileSizeInKB(1536, kComma)), 1);
    EXPECT_EQ(leadingNumber(GetFileSizeInKB(1536, kPoint)), 1.5);
}

}  // namespace
}  // namespace quillmere
