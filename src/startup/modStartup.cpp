#include "startup/modStartup.h"

namespace quillmere::modStartup {

using platform::Registry;

bool WriteKeyValue(Registry& registry, Registry::HKEY root, const std::string& keyPath,
                   const std::string& valueName, const std::string& data) {
    Registry::HKEY key = 0;
    // A new profile may have no Run key of its own yet; the machine-wide key belongs to the system
    // and is only ever opened.
    if (root == Registry::HKEY_CURRENT_USER) {
        registry.RegCreateKey(root, keyPath, &key);
    } else {
        registry.RegOpenKey(root, keyPath, &key);
    }
    const long written = registry.RegSetValueEx(key, valueName, Registry::REG_SZ, data);
    registry.RegCloseKey(key);
    return written == 0;
}

bool DeleteKeyValue(Registry& registry, Registry::HKEY root, const std::string& keyPath,
                    const std::string& valueName) {
    constexpr long kNotFound = 2;
    Registry::HKEY key = 0;
    registry.RegOpenKey(root, keyPath, &key);
    const long deleted = registry.RegDeleteValue(key, valueName);
    registry.RegCloseKey(key);
    if (deleted == 0 || deleted == kNotFound) {
        return true;
    }
    // The key would not open for changes or refused the deletion: only a value still there matters.
    return registry.RegGetValue(root, keyPath, valueName) != 0;
}

namespace {

std::size_t nameStart(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? 0 : slash + 1;
}

// The folder that holds the executable, without a final backslash unless it is a drive's root.
std::string folderOf(const std::string& path) {
    const std::size_t start = nameStart(path);
    if (start == 0) {
        return "";
    }
    std::string folder = path.substr(0, start - 1);
    if (folder.size() == 2 && folder[1] == ':') {
        folder += '\\';
    }
    return folder;
}

}  // namespace

std::string runValueName(const std::string& executablePath) {
    const std::string name = executablePath.substr(nameStart(executablePath));
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string runValueData(const std::string& executablePath) {
    std::string data = "\"";
    data += folderOf(executablePath);
    data += '\\';
    data += runValueName(executablePath);
    data += ".exe\" auto";
    return data;
}

}  // namespace quillmere::modStartup
