#include "app/Timestamps.h"

#include <chrono>
#include <cstdio>

namespace quillmere {

namespace {

std::optional<std::chrono::sys_seconds> toSeconds(const platform::LocalTime& time) {
    using namespace std::chrono;
    const year_month_day date{year{time.year}, month{static_cast<unsigned>(time.month)},
                              day{static_cast<unsigned>(time.day)}};
    if (!date.ok() || time.hour < 0 || time.hour > 23 || time.minute < 0 || time.minute > 59 ||
        time.second < 0 || time.second > 59) {
        return std::nullopt;
    }
    return sys_days{date} + hours{time.hour} + minutes{time.minute} + seconds{time.second};
}

}  // namespace

std::string timestampText(const platform::LocalTime& time) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", time.year, time.month, time.day,
                  time.hour, time.minute, time.second);
    return text;
}

std::optional<platform::LocalTime> parseTimestamp(const std::string& text) {
    platform::LocalTime time;
    char rest = 0;
    if (text.size() != 19 ||
        std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &time.year, &time.month, &time.day,
                    &time.hour, &time.minute, &time.second, &rest) != 6 ||
        timestampText(time) != text || !toSeconds(time)) {
        return std::nullopt;
    }
    return time;
}

std::int64_t secondsBetween(const platform::LocalTime& from, const platform::LocalTime& to) {
    const auto a = toSeconds(from);
    const auto b = toSeconds(to);
    if (!a || !b) {
        return 0;
    }
    return (*b - *a).count();
}

}  // namespace quillmere
