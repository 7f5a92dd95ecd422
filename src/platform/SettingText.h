// How a registry value reads as a setting's text. The settings store keeps texts, but a person or
// another program may leave a value of another type under one of its keys.
#pragma once

#include <cstdint>
#include <span>

#include "platform/Services.h"

namespace platform {

// The longest text a setting may hold, in UTF-16 units; a longer one is unreadable.
inline constexpr std::size_t kLongestSettingText = 1024;

// A value's data as a setting: a string (expandable ones unexpanded) as its text up to its first
// NUL, a 32- or 64-bit number in decimal. Every other type, a number of the wrong size and a text
// longer than kLongestSettingText are unreadable. String data is UTF-16 little-endian, as the
// registry keeps it; the text is UTF-8.
StoredText settingTextOf(std::uint32_t type, std::span<const std::uint8_t> data);

}  // namespace platform
