// The text form of the moment of the last optimization run, as the run writes it and the
// automatic free reads it: the date and the time of day, the same under every locale
// ("2026-12-10 23:58:00"), so that the spacing between runs holds across midnight.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Services.h"

namespace quillmere {

std::string timestampText(const platform::LocalTime& time);
std::optional<platform::LocalTime> parseTimestamp(const std::string& text);
// Whole seconds from one moment to a later one (negative when "to" is earlier).
std::int64_t secondsBetween(const platform::LocalTime& from, const platform::LocalTime& to);

}  // namespace quillmere
