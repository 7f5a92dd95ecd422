// The start-with-Windows value under the system's "Run" key.
#pragma once

#include <string>

#include "platform/Services.h"

namespace quillmere::modStartup {

inline constexpr const char* kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// Writes a string value into an existing key; true when the system took it.
bool WriteKeyValue(platform::Registry& registry, platform::Registry::HKEY root, const std::string& keyPath,
                   const std::string& valueName, const std::string& data);
// Deletes a value; false when it stays because the key may not be changed (a machine-wide key for
// a user without administrator rights). A value that was not there counts as deleted.
bool DeleteKeyValue(platform::Registry& registry, platform::Registry::HKEY root, const std::string& keyPath,
                    const std::string& valueName);

// The value's name: the executable's file name without its extension.
std::string runValueName(const std::string& executablePath);
// The command line that starts the program hidden: "<folder>\<name>.exe" auto.
std::string runValueData(const std::string& executablePath);

}  // namespace quillmere::modStartup
