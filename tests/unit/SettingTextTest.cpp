// How a registry value of any type reads as a setting's text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/SettingText.h"

namespace {

using platform::Registry;
using platform::StoredText;
using namespace std::string_literals;

std::vector<std::uint8_t> utf16(const std::u16string& text) {
    std::vector<std::uint8_t> bytes;
    for (char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

std::vector<std::uint8_t> withNul(const std::u16string& text) { return utf16(text + u'\0'); }

const std::string kLongestText(1024, '7');

struct Value {
    const char* name;
    std::uint32_t type;
    std::vector<std::uint8_t> data;
    const char* text;  // nullptr: unreadable
};

void PrintTo(const Value& value, std::ostream* out) { *out << value.name; }

class SettingText : public testing::TestWithParam<Value> {};

TEST_P(SettingText, ReadsAsItsTextOrIsUnreadable) {
    const Value& value = GetParam();
    const StoredText stored = platform::settingTextOf(value.type, value.data);
    if (value.text == nullptr) {
        EXPECT_EQ(stored.state, StoredText::State::Unreadable);
    } else {
        EXPECT_EQ(stored.state, StoredText::State::Text);
        EXPECT_EQ(stored.text, value.text);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Types, SettingText,
    testing::Values(
        Value{"Text", Registry::REG_SZ, withNul(u"15"), "15"},
        Value{"EmptyText", Registry::REG_SZ, withNul(u""), ""},
        Value{"NoDataAtAll", Registry::REG_SZ, {}, ""},
        Value{"TextWithoutItsNul", Registry::REG_SZ, utf16(u"True"), "True"},
        Value{"TextEndsAtItsFirstNul", Registry::REG_SZ, withNul(u"1\0junk"s), "1"},
        Value{"TextWithAnOddByteLeftOver", Registry::REG_SZ, {'1', 0, '2'}, "1"},
        Value{"NonAsciiText", Registry::REG_SZ, withNul(u"caf\u00e9 \u20ac \U0001F600"), "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"},
        Value{"LoneSurrogate", Registry::REG_SZ, withNul(u"a\xD800" u"b"), "a\xEF\xBF\xBD" "b"},
        Value{"ExpandableTextUnexpanded", Registry::REG_EXPAND_SZ, withNul(u"%TEMP%"), "%TEMP%"},
        Value{"Longest", Registry::REG_SZ, withNul(std::u16string(1024, u'7')), kLongestText.c_str()},
        Value{"TooLong", Registry::REG_SZ, withNul(std::u16string(1025, u'7')), nullptr},
        Value{"DwordZero", Registry::REG_DWORD, {0, 0, 0, 0}, "0"},
        Value{"DwordOne", Registry::REG_DWORD, {1, 0, 0, 0}, "1"},
        Value{"DwordLittleEndian", Registry::REG_DWORD, {0x0F, 0x01, 0, 0}, "271"},
        Value{"DwordLargest", Registry::REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}, "4294967295"},
        Value{"DwordOfThreeBytes", Registry::REG_DWORD, {1, 0, 0}, nullptr},
        Value{"QwordFifteen", Registry::REG_QWORD, {15, 0, 0, 0, 0, 0, 0, 0}, "15"},
        Value{"QwordLargest", Registry::REG_QWORD, std::vector<std::uint8_t>(8, 0xFF), "18446744073709551615"},
        Value{"QwordOfFourBytes", Registry::REG_QWORD, {1, 0, 0, 0}, nullptr},
        Value{"Binary", Registry::REG_BINARY, {'1', 0}, nullptr},
        Value{"MultiString", Registry::REG_MULTI_SZ, withNul(u"1\0two\0"s), nullptr},
        Value{"None", Registry::REG_NONE, withNul(u"1"), nullptr},
        Value{"DwordBigEndian", 5, {0, 0, 0, 1}, nullptr}),
    [](const testing::TestParamInfo<Value>& info) { return std::string(info.param.name); });

}  // namespace
