// The system services over the real Windows API.
// This header names only portable types. The service interfaces use names that <windows.h> defines
// as macros (RegOpenKey, SendMessage, HKEY_CURRENT_USER, NIM_ADD, ...), so a file includes this
// header before <windows.h>.
#pragma once

#include <string>
#include <string_view>

#include "platform/Services.h"

namespace win32 {

class SystemMemory : public platform::Memory {
public:
    platform::MemoryStatus GlobalMemoryStatusEx() override;
};

// Each application's settings live under HKEY_CURRENT_USER\Software\<application>\<section>, one
// string value per key.
class RegistrySettingsStore : public platform::SettingsStore {
public:
    platform::StoredText GetSetting(const std::string& application, const std::string& section,
                                    const std::string& key) override;
    void SaveSetting(const std::string& application, const std::string& section, const std::string& key,
                     const std::string& text) override;
};

class SystemRegistry : public platform::Registry {
public:
    long RegOpenKey(HKEY root, const std::string& subKey, HKEY* result) override;
    long RegCreateKey(HKEY root, const std::string& subKey, HKEY* result) override;
    long RegSetValueEx(HKEY key, const std::string& valueName, std::uint32_t type, const std::string& data) override;
    long RegDeleteValue(HKEY key, const std::string& valueName) override;
    long RegCloseKey(HKEY key) override;
    long RegGetValue(HKEY root, const std::string& subKey, const std::string& valueName) override;
};

class ShellNotifyIcon : public platform::NotifyIcon {
public:
    bool Shell_NotifyIcon(std::uint32_t message, const platform::NotifyIconData& data) override;
};

class SystemWindows : public platform::Windows {
public:
    std::intptr_t SendMessage(forms::NativeHandle window, std::uint32_t message, std::uintptr_t wParam,
                              std::intptr_t lParam) override;
    bool SetWindowPos(forms::NativeHandle window, forms::NativeHandle insertAfter, int x, int y, int cx, int cy,
                      std::uint32_t flags) override;
    forms::NativeHandle FindWindow(const std::string& className, const std::string& windowName) override;
    forms::NativeHandle GetDesktopWindow() override;
    std::optional<platform::ClientRect> GetClientRect(forms::NativeHandle window) override;
};

class SystemClock : public platform::Clock {
public:
    platform::LocalTime now() override;
};

// The current user's regional settings.
class UserLocale : public platform::Locale {
public:
    char decimalSeparator() override;
    std::string timeSeparator() override;
    std::string longDate(const platform::LocalTime& date) override;
};

class SystemProcess : public platform::Process {
public:
    std::string commandArguments() override;
    std::string executablePath() override;
    void exitNow() override;
};

// Whole pages straight from the system, so that a released block is returned to it at once.
class VirtualBlockAllocator : public platform::BlockAllocator {
public:
    void* allocate(std::size_t bytes) override;
    void release(void* block) override;
};

class SystemShell : public platform::Shell {
public:
    std::string GetTempPath() override;
    std::intptr_t FindExecutable(const std::string& file, const std::string& directory, std::string& program) override;
    std::intptr_t ShellExecute(forms::NativeHandle window, const std::string& operation, const std::string& file,
                               const std::string& parameters, const std::string& directory, int showCommand) override;
};

class SystemFiles : public platform::Files {
public:
    bool writeFile(const std::string& path, const std::string& bytes) override;
    bool deleteFile(const std::string& path) override;
    bool writableByStandardUsers(const std::string& path) override;
};

// The one copy of the program in the logon session (win32/SingleInstance.cpp).
class SessionInstances : public platform::Instances {
public:
    SessionInstances() = default;
    ~SessionInstances() override;
    SessionInstances(const SessionInstances&) = delete;
    SessionInstances& operator=(const SessionInstances&) = delete;

    bool claimSession() override;
    void askFirstToComeForward() override;

private:
    void* session_ = nullptr;  // the named object, while this copy holds the session
};

// What follows the program's name on a command line: the name is a quoted text or runs up to the
// first blank; one blank after it separates it from the arguments, and every character after that
// blank is kept as it is.
std::wstring_view argumentsAfterProgramName(std::wstring_view commandLine);

// One of each service, living as long as the program.
class SystemServices {
public:
    platform::Services services();

private:
    SystemMemory memory_;
    RegistrySettingsStore settings_;
    SystemRegistry registry_;
    ShellNotifyIcon notifyIcon_;
    SystemWindows windows_;
    SystemClock clock_;
    UserLocale locale_;
    SystemProcess process_;
    VirtualBlockAllocator blocks_;
    SystemShell shell_;
    SystemFiles files_;
    SessionInstances instances_;
};

}  // namespace win32
