// The system services the program calls, one narrow interface each, shaped like the calls.
// The Win32 layer implements them over the real API; tests use recording fakes.
// Texts are UTF-8 throughout; the Win32 layer converts at the boundary.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "forms/Forms.h"

namespace platform {

using forms::NativeHandle;

// The memory status as the system reports it: 64-bit byte counts.
struct MemoryStatus {
    std::uint32_t dwMemoryLoad = 0;
    std::uint64_t ullTotalPhys = 0;
    std::uint64_t ullAvailPhys = 0;
    std::uint64_t ullTotalPageFile = 0;
    std::uint64_t ullAvailPageFile = 0;
    std::uint64_t ullTotalVirtual = 0;
    std::uint64_t ullAvailVirtual = 0;
};

class Memory {
public:
    virtual ~Memory() = default;
    virtual MemoryStatus GlobalMemoryStatusEx() = 0;
};

// A setting as the store holds it: nothing, a text, or a value that gives no text (one of another
// kind, or too long). Each reader decides what an unreadable value means for it.
struct StoredText {
    enum class State { Absent, Text, Unreadable };
    State state = State::Absent;
    std::string text;  // when state is Text
};

// The per-user settings store: texts addressed by application, section and key.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored value; Absent when the key (or its section or application) is. A read creates
    // nothing.
    virtual StoredText GetSetting(const std::string& application, const std::string& section,
                                  const std::string& key) = 0;
    // Creates the application, section and key as needed and stores the text as a text, whatever
    // the value held before; a write that fails changes nothing.
    virtual void SaveSetting(const std::string& application, const std::string& section,
                             const std::string& key, const std::string& text) = 0;
};

// The registry, as the start-with-Windows option uses it. Results are the system's error codes
// (0 for success).
class Registry {
public:
    using HKEY = std::uintptr_t;
    static constexpr HKEY HKEY_CURRENT_USER = 0x80000001;
    static constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002;
    static constexpr std::uint32_t REG_NONE = 0;
    static constexpr std::uint32_t REG_SZ = 1;
    static constexpr std::uint32_t REG_EXPAND_SZ = 2;
    static constexpr std::uint32_t REG_BINARY = 3;
    static constexpr std::uint32_t REG_DWORD = 4;
    static constexpr std::uint32_t REG_MULTI_SZ = 7;
    static constexpr std::uint32_t REG_QWORD = 11;

    virtual ~Registry() = default;
    // Opens an existing key; never creates one. *result is 0 when the key was not opened.
    virtual long RegOpenKey(HKEY root, const std::string& subKey, HKEY* result) = 0;
    // Opens a key, making it (and the keys above it) when it is missing. *result is 0 on failure.
    virtual long RegCreateKey(HKEY root, const std::string& subKey, HKEY* result) = 0;
    // Writes a string value; the size passed to the system is that of the text with its NUL.
    virtual long RegSetValueEx(HKEY key, const std::string& valueName, std::uint32_t type,
                               const std::string& data) = 0;
    virtual long RegDeleteValue(HKEY key, const std::string& valueName) = 0;
    virtual long RegCloseKey(HKEY key) = 0;
    // Looks a value up without opening the key for changes: 0 when it exists, 2 when it (or its
    // key) does not.
    virtual long RegGetValue(HKEY root, const std::string& subKey, const std::string& valueName) = 0;
};

// The notification-area icon record in its first-version form.
struct NotifyIconData {
    // The tip field holds 64 UTF-16 units: the text and its NUL.
    static constexpr std::size_t kTipUnits = 63;

    NativeHandle hWnd = 0;
    std::uint32_t uID = 0;
    std::uint32_t uFlags = 0;
    std::uint32_t uCallbackMessage = 0;
    NativeHandle hIcon = 0;
    std::string szTip;  // at most kTipUnits UTF-16 units, whole characters (clsTray cuts it)
    std::uint32_t uVersion = 0;  // NIM_SETVERSION: the protocol the icon's notifications follow
};

class NotifyIcon {
public:
    static constexpr std::uint32_t NIM_ADD = 0;
    static constexpr std::uint32_t NIM_MODIFY = 1;
    static constexpr std::uint32_t NIM_DELETE = 2;
    static constexpr std::uint32_t NIM_SETVERSION = 4;
    // Notifications carry the event and the icon id in lParam and the point in wParam, and the
    // keyboard's selection and context-menu requests come too.
    static constexpr std::uint32_t NOTIFYICON_VERSION_4 = 4;
    static constexpr std::uint32_t NIF_MESSAGE = 1;
    static constexpr std::uint32_t NIF_ICON = 2;
    static constexpr std::uint32_t NIF_TIP = 4;

    virtual ~NotifyIcon() = default;
    virtual bool Shell_NotifyIcon(std::uint32_t message, const NotifyIconData& data) = 0;
};

struct ClientRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Window messages and placement.
class Windows {
public:
    static constexpr NativeHandle HWND_TOPMOST = static_cast<NativeHandle>(-1);
    static constexpr NativeHandle HWND_NOTOPMOST = static_cast<NativeHandle>(-2);
    static constexpr std::uint32_t SWP_NOSIZE = 1;
    static constexpr std::uint32_t SWP_NOMOVE = 2;
    static constexpr std::uint32_t PBM_SETBARCOLOR = 1033;
    static constexpr std::uint32_t PBM_SETBKCOLOR = 8193;

    virtual ~Windows() = default;
    virtual std::intptr_t SendMessage(NativeHandle window, std::uint32_t message, std::uintptr_t wParam,
                                      std::intptr_t lParam) = 0;
    virtual bool SetWindowPos(NativeHandle window, NativeHandle insertAfter, int x, int y, int cx, int cy,
                              std::uint32_t flags) = 0;
    virtual NativeHandle FindWindow(const std::string& className, const std::string& windowName) = 0;
    virtual NativeHandle GetDesktopWindow() = 0;
    virtual std::optional<ClientRect> GetClientRect(NativeHandle window) = 0;
};

// A local date and time of day.
struct LocalTime {
    int year = 2000;
    int month = 1;  // 1 to 12
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalTime now() = 0;
};

// The user's regional settings.
class Locale {
public:
    virtual ~Locale() = default;
    virtual char decimalSeparator() = 0;
    virtual std::string timeSeparator() = 0;
    // The date in the user's long date form ("Monday, July 10, 2006").
    virtual std::string longDate(const LocalTime& date) = 0;
};

class Process {
public:
    virtual ~Process() = default;
    // The command line after the program's name, as the system passed it.
    virtual std::string commandArguments() = 0;
    // The executable's full path ("C:\Tools\Monitor.exe").
    virtual std::string executablePath() = 0;
    // Ends the process at once; no window receives another message.
    virtual void exitNow() = 0;
};

// The shell calls behind the links.
class Shell {
public:
    static constexpr int SW_SHOWNORMAL = 1;
    static constexpr int SW_SHOWMAXIMIZED = 3;

    virtual ~Shell() = default;
    // The temporary folder's path, ending in a backslash, however long; empty when there is none.
    virtual std::string GetTempPath() = 0;
    // Returns a value above 32 when it found the program that opens the file, and then sets
    // `program` to that program's full path.
    virtual std::intptr_t FindExecutable(const std::string& file, const std::string& directory,
                                         std::string& program) = 0;
    // An empty operation is the shell's default verb.
    virtual std::intptr_t ShellExecute(NativeHandle window, const std::string& operation, const std::string& file,
                                       const std::string& parameters, const std::string& directory,
                                       int showCommand) = 0;
};

class Files {
public:
    virtual ~Files() = default;
    // Creates the file (replacing one of that name) holding the bytes; false when it cannot.
    virtual bool writeFile(const std::string& path, const std::string& bytes) = 0;
    virtual bool deleteFile(const std::string& path) = 0;
    // Whether a user without administrator rights could change what runs from this path: write or
    // replace the file, write into its folder, or move that folder or one above it. True when it
    // cannot be told.
    virtual bool writableByStandardUsers(const std::string& path) = 0;
};

// Separate blocks of memory for the optimization run.
class BlockAllocator {
public:
    virtual ~BlockAllocator() = default;
    // A new block of the given size, or nullptr when the system cannot supply it.
    virtual void* allocate(std::size_t bytes) = 0;
    virtual void release(void* block) = 0;
};

// The one running copy of the program in the logon session.
class Instances {
public:
    virtual ~Instances() = default;
    // Claims the session for this copy; false when a running copy holds it already.
    virtual bool claimSession() = 0;
    // Asks the copy that holds the session to bring its window forward, waiting a few seconds
    // for that window when the copy is still starting.
    virtual void askFirstToComeForward() = 0;
};

// Everything the program asks of the system.
struct Services {
    Memory& memory;
    SettingsStore& settings;
    Registry& registry;
    NotifyIcon& notifyIcon;
    Windows& windows;
    Clock& clock;
    Locale& locale;
    Process& process;
    BlockAllocator& blocks;
    Shell& shell;
    Files& files;
    Instances& instances;
};

}  // namespace platform
