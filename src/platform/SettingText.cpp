#include "platform/SettingText.h"

#include <string>

namespace platform {

namespace {

StoredText unreadable() { return {StoredText::State::Unreadable, {}}; }

void appendUtf8(std::string& text, char32_t c) {
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | (c >> 6));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (c >> 18));
        text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The UTF-16 units of the data up to the first NUL (a trailing odd byte is no unit).
std::u16string unitsOf(std::span<const std::uint8_t> data) {
    std::u16string units;
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
        const auto unit = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
        if (unit == u'\0') {
            break;
        }
        units += unit;
    }
    return units;
}

// A lone half of a surrogate pair becomes U+FFFD, as everywhere else in the program.
std::string utf8Of(const std::u16string& units) {
    std::string text;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t unit = units[i];
        const bool high = unit >= 0xD800 && unit <= 0xDBFF;
        const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
        if (high && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            appendUtf8(text, 0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else {
            appendUtf8(text, high || low ? U'\uFFFD' : unit);
        }
    }
    return text;
}

std::uint64_t littleEndian(std::span<const std::uint8_t> data) {
    std::uint64_t number = 0;
    for (std::size_t i = data.size(); i-- > 0;) {
        number = (number << 8) | data[i];
    }
    return number;
}

}  // namespace

StoredText settingTextOf(std::uint32_t type, std::span<const std::uint8_t> data) {
    switch (type) {
    case Registry::REG_SZ:
    case Registry::REG_EXPAND_SZ: {
        const std::u16string units = unitsOf(data);
        if (units.size() > kLongestSettingText) {
            return unreadable();
        }
        return {StoredText::State::Text, utf8Of(units)};
    }
    case Registry::REG_DWORD:
        return data.size() == 4 ? StoredText{StoredText::State::Text, std::to_string(littleEndian(data))}
                                : unreadable();
    case Registry::REG_QWORD:
        return data.size() == 8 ? StoredText{StoredText::State::Text, std::to_string(littleEndian(data))}
                                : unreadable();
    default:
        return unreadable();
    }
}

}  // namespace platform
