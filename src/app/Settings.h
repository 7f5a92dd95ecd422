// The program's settings: where they live in the per-user store, their keys and their defaults.
#pragma once

#include <optional>
#include <string>

#include "platform/Services.h"

namespace quillmere {

// The program's title: the main window's caption, the settings section, the tray tip.
inline constexpr const char* kAppTitle = "Quillmere v5.0.1";
inline constexpr const char* kAppName = "Quillmere";

struct Setting {
    const char* key;
    const char* defaultText;
};

namespace setting {
inline constexpr Setting LoadOnWindows{"Load on Windows", "1"};
inline constexpr Setting EnableAutoFree{"Enable Auto Free", "0"};
inline constexpr Setting FreeRamPercentage{"Free RAM Percentage", "15"};
inline constexpr Setting Loaded{"Loaded", "False"};
inline constexpr Setting LastOptimized{"lastOptimized", ""};
}  // namespace setting

// Reads and writes the settings under the program's application name and section.
class Settings {
public:
    explicit Settings(platform::SettingsStore& store) : store_(store) {}
    // The stored text, or the setting's default when nothing is stored; nothing when a value is
    // stored that gives no text, which each reader treats by its own rule.
    std::optional<std::string> read(const Setting& setting) const {
        platform::StoredText stored = store_.GetSetting(kAppName, kAppTitle, setting.key);
        switch (stored.state) {
        case platform::StoredText::State::Absent:
            return setting.defaultText;
        case platform::StoredText::State::Text:
            return std::move(stored.text);
        case platform::StoredText::State::Unreadable:
            break;
        }
        return std::nullopt;
    }
    void write(const Setting& setting, const std::string& text) {
        store_.SaveSetting(kAppName, kAppTitle, setting.key, text);
    }

private:
    platform::SettingsStore& store_;
};

}  // namespace quillmere
