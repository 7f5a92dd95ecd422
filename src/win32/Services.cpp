#include "win32/Services.h"

#include "platform/SettingText.h"
#include "win32/StandardUserAccess.h"
#include "win32/Text.h"

#include <shellapi.h>

#include <algorithm>
#include <array>
#include <cwchar>

// The generic-text macros of <windows.h> would rename the service operations defined below; every
// call here names the wide-character function itself.
#undef RegOpenKey
#undef RegCreateKey
#undef RegSetValueEx
#undef RegDeleteValue
#undef RegGetValue
#undef SendMessage
#undef FindWindow
#undef Shell_NotifyIcon
#undef GetTempPath
#undef FindExecutable
#undef ShellExecute

namespace win32 {

namespace {

HWND nativeWindow(forms::NativeHandle window) {
    return reinterpret_cast<HWND>(window);
}

forms::NativeHandle portableHandle(const void* handle) {
    return reinterpret_cast<forms::NativeHandle>(handle);
}

// The portable registry interface spells the predefined roots (HKEY_CURRENT_USER, ...) as their
// 32-bit values 0x80000000 and up; Windows's own constants are those values sign-extended to the
// width of a pointer. Any other value is a key this program opened.
::HKEY nativeKey(platform::Registry::HKEY key) {
    const bool predefinedRoot = key >= 0x80000000u && key <= 0x800000FFu;
    if (predefinedRoot) {
        return reinterpret_cast<::HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(key)));
    }
    return reinterpret_cast<::HKEY>(key);
}

// Writes a text value as UTF-16 with its terminating NUL, the size counted in bytes.
LSTATUS writeText(::HKEY key, const std::string& valueName, DWORD type, const std::string& text) {
    const std::wstring data = toWide(text);
    const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key, toWide(valueName).c_str(), 0, type, reinterpret_cast<const BYTE*>(data.c_str()),
                          bytes);
}

std::wstring settingsKeyPath(const std::string& application, const std::string& section) {
    return L"Software\\" + toWide(application) + L"\\" + toWide(section);
}

// One of the user's regional settings; empty when the system has none.
std::wstring userLocaleText(LCTYPE item) {
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, nullptr, 0);
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    const int written = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, text.data(), length);
    text.resize(written > 0 ? static_cast<std::size_t>(written - 1) : 0);
    return text;
}

// The program's tips are the first-version record's 64 UTF-16 units, in any record size. The text goes at its start,
// then a NUL; the rest of the field is spaces, as the record has always been filled. clsTray has cut
// the text to fit at a character boundary; the bound only keeps the copy inside the field.
void fillTip(WCHAR (&field)[128], const std::wstring& text) {
    constexpr std::size_t kTipField = platform::NotifyIconData::kTipUnits + 1;
    const std::size_t length = std::min(text.size(), kTipField - 1);
    std::fill(field, field + kTipField, L' ');
    std::copy_n(text.begin(), length, field);
    field[length] = L'\0';
}

}  // namespace

platform::MemoryStatus SystemMemory::GlobalMemoryStatusEx() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof(status);
    if (!::GlobalMemoryStatusEx(&status)) {
        return {};
    }
    return platform::MemoryStatus{
        .dwMemoryLoad = status.dwMemoryLoad,
        .ullTotalPhys = status.ullTotalPhys,
        .ullAvailPhys = status.ullAvailPhys,
        .ullTotalPageFile = status.ullTotalPageFile,
        .ullAvailPageFile = status.ullAvailPageFile,
        .ullTotalVirtual = status.ullTotalVirtual,
        .ullAvailVirtual = status.ullAvailVirtual,
    };
}

platform::StoredText RegistrySettingsStore::GetSetting(const std::string& application, const std::string& section,
                                                       const std::string& key) {
    const std::wstring path = settingsKeyPath(application, section);
    // Room for the longest readable text and its NUL, with a unit to spare: a value that does not
    // fit is unreadable whatever its type, so one call reads every setting.
    std::array<std::uint8_t, (platform::kLongestSettingText + 2) * sizeof(wchar_t)> data{};
    DWORD type = REG_NONE;
    DWORD bytes = static_cast<DWORD>(data.size());
    const LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, path.c_str(), toWide(key).c_str(),
                                        RRF_RT_ANY | RRF_NOEXPAND, &type, data.data(), &bytes);
    if (status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND) {
        return {};
    }
    if (status != ERROR_SUCCESS) {
        return {platform::StoredText::State::Unreadable, {}};
    }
    return platform::settingTextOf(type, std::span(data.data(), std::min<std::size_t>(bytes, data.size())));
}

void RegistrySettingsStore::SaveSetting(const std::string& application, const std::string& section,
                                        const std::string& key, const std::string& text) {
    ::HKEY sectionKey = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, settingsKeyPath(application, section).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &sectionKey, nullptr) != ERROR_SUCCESS) {
        return;
    }
    writeText(sectionKey, key, REG_SZ, text);
    ::RegCloseKey(sectionKey);
}

long SystemRegistry::RegOpenKey(HKEY root, const std::string& subKey, HKEY* result) {
    ::HKEY opened = nullptr;
    const LSTATUS status =
        RegOpenKeyExW(nativeKey(root), toWide(subKey).c_str(), 0, KEY_SET_VALUE | KEY_QUERY_VALUE, &opened);
    *result = status == ERROR_SUCCESS ? portableHandle(opened) : 0;
    return status;
}

long SystemRegistry::RegCreateKey(HKEY root, const std::string& subKey, HKEY* result) {
    ::HKEY opened = nullptr;
    const LSTATUS status = RegCreateKeyExW(nativeKey(root), toWide(subKey).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                           KEY_SET_VALUE | KEY_QUERY_VALUE, nullptr, &opened, nullptr);
    *result = status == ERROR_SUCCESS ? portableHandle(opened) : 0;
    return status;
}

long SystemRegistry::RegSetValueEx(HKEY key, const std::string& valueName, std::uint32_t type,
                                   const std::string& data) {
    return writeText(nativeKey(key), valueName, type, data);
}

long SystemRegistry::RegDeleteValue(HKEY key, const std::string& valueName) {
    return RegDeleteValueW(nativeKey(key), toWide(valueName).c_str());
}

long SystemRegistry::RegGetValue(HKEY root, const std::string& subKey, const std::string& valueName) {
    return RegGetValueW(nativeKey(root), toWide(subKey).c_str(), toWide(valueName).c_str(), RRF_RT_ANY, nullptr,
                        nullptr, nullptr);
}

long SystemRegistry::RegCloseKey(HKEY key) {
    if (key == 0) {
        return ERROR_INVALID_HANDLE;
    }
    return ::RegCloseKey(nativeKey(key));
}

bool ShellNotifyIcon::Shell_NotifyIcon(std::uint32_t message, const platform::NotifyIconData& data) {
    NOTIFYICONDATAW record{};
    // The second-version record is the first to hold the protocol version (NIM_SETVERSION).
    record.cbSize = NOTIFYICONDATAW_V2_SIZE;
    record.hWnd = nativeWindow(data.hWnd);
    record.uID = data.uID;
    record.uFlags = data.uFlags;
    record.uCallbackMessage = data.uCallbackMessage;
    record.hIcon = reinterpret_cast<HICON>(data.hIcon);
    fillTip(record.szTip, toWide(data.szTip));
    record.uVersion = data.uVersion;
    return Shell_NotifyIconW(message, &record) != FALSE;
}

std::intptr_t SystemWindows::SendMessage(forms::NativeHandle window, std::uint32_t message, std::uintptr_t wParam,
                                         std::intptr_t lParam) {
    return SendMessageW(nativeWindow(window), message, wParam, lParam);
}

bool SystemWindows::SetWindowPos(forms::NativeHandle window, forms::NativeHandle insertAfter, int x, int y, int cx,
                                 int cy, std::uint32_t flags) {
    return ::SetWindowPos(nativeWindow(window), nativeWindow(insertAfter), x, y, cx, cy, flags) != FALSE;
}

forms::NativeHandle SystemWindows::FindWindow(const std::string& className, const std::string& windowName) {
    return portableHandle(FindWindowW(toWide(className).c_str(), toWide(windowName).c_str()));
}

forms::NativeHandle SystemWindows::GetDesktopWindow() {
    return portableHandle(::GetDesktopWindow());
}

std::optional<platform::ClientRect> SystemWindows::GetClientRect(forms::NativeHandle window) {
    RECT rect{};
    if (!::GetClientRect(nativeWindow(window), &rect)) {
        return std::nullopt;
    }
    return platform::ClientRect{rect.left, rect.top, rect.right, rect.bottom};
}

platform::LocalTime SystemClock::now() {
    SYSTEMTIME time{};
    GetLocalTime(&time);
    return platform::LocalTime{time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
}

char UserLocale::decimalSeparator() {
    const std::wstring separator = userLocaleText(LOCALE_SDECIMAL);
    // The program's numbers are single-byte texts; a separator outside ASCII has no place in them.
    if (separator.empty() || separator[0] == L'\0' || separator[0] >= 0x80) {
        return '.';
    }
    return static_cast<char>(separator[0]);
}

std::string UserLocale::timeSeparator() {
    const std::wstring separator = userLocaleText(LOCALE_STIME);
    return separator.empty() ? std::string(":") : toUtf8(separator);
}

std::string UserLocale::longDate(const platform::LocalTime& date) {
    SYSTEMTIME day{};
    day.wYear = static_cast<WORD>(date.year);
    day.wMonth = static_cast<WORD>(date.month);
    day.wDay = static_cast<WORD>(date.day);
    const int length = GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_LONGDATE, &day, nullptr, nullptr, 0, nullptr);
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    const int written =
        GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_LONGDATE, &day, nullptr, text.data(), length, nullptr);
    text.resize(written > 0 ? static_cast<std::size_t>(written - 1) : 0);
    return toUtf8(text);
}

std::wstring_view argumentsAfterProgramName(std::wstring_view commandLine) {
    std::size_t end = 0;
    if (!commandLine.empty() && commandLine[0] == L'"') {
        const std::size_t closingQuote = commandLine.find(L'"', 1);
        end = closingQuote == std::wstring_view::npos ? commandLine.size() : closingQuote + 1;
    } else {
        end = std::min(commandLine.find_first_of(L" \t"), commandLine.size());
    }
    if (end < commandLine.size() && (commandLine[end] == L' ' || commandLine[end] == L'\t')) {
        ++end;
    }
    return commandLine.substr(end);
}

std::string SystemProcess::commandArguments() {
    return toUtf8(argumentsAfterProgramName(GetCommandLineW()));
}

std::string SystemProcess::executablePath() {
    std::wstring path(MAX_PATH, L'\0');
    // A path that fills the buffer may have been cut: try again with a larger one.
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return toUtf8(path);
        }
        path.resize(path.size() * 2);
    }
}

void SystemProcess::exitNow() {
    ExitProcess(0);
}

void* VirtualBlockAllocator::allocate(std::size_t bytes) {
    return VirtualAlloc(nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

void VirtualBlockAllocator::release(void* block) {
    VirtualFree(block, 0, MEM_RELEASE);
}

namespace {

// A path as the file functions take it: one of MAX_PATH characters or more only with the prefix
// that lifts the limit.
std::wstring fileSystemPath(const std::string& path) {
    std::wstring wide = toWide(path);
    const bool absolute = wide.size() > 2 && wide[1] == L':' && wide[2] == L'\\';
    if (wide.size() >= MAX_PATH && absolute) {
        wide.insert(0, L"\\\\?\\");
    }
    return wide;
}

// The shell's FindExecutable takes a path of fewer than MAX_PATH characters: a longer one is
// passed in its short form, which is shorter whenever the volume keeps short names.
std::wstring shellPath(const std::string& path) {
    std::wstring wide = toWide(path);
    if (wide.size() < MAX_PATH) {
        return wide;
    }
    const std::wstring extended = fileSystemPath(path);
    std::wstring shortPath(GetShortPathNameW(extended.c_str(), nullptr, 0), L'\0');
    const DWORD length = GetShortPathNameW(extended.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
    if (length == 0 || length >= shortPath.size()) {
        return wide;
    }
    shortPath.resize(length);
    if (shortPath.starts_with(L"\\\\?\\")) {
        shortPath.erase(0, 4);
    }
    return shortPath;
}

}  // namespace

std::string SystemShell::GetTempPath() {
    std::wstring path(MAX_PATH + 1, L'\0');
    DWORD length = GetTempPathW(static_cast<DWORD>(path.size()), path.data());
    if (length > path.size()) {
        // Too long for the buffer: the length asked for counts the terminating NUL.
        path.assign(length, L'\0');
        length = GetTempPathW(static_cast<DWORD>(path.size()), path.data());
    }
    if (length == 0 || length >= path.size()) {
        return {};
    }
    path.resize(length);
    return toUtf8(path);
}

std::intptr_t SystemShell::FindExecutable(const std::string& file, const std::string& directory,
                                          std::string& program) {
    wchar_t found[MAX_PATH] = {};
    const std::wstring wideDirectory = toWide(directory);
    const auto answer = reinterpret_cast<std::intptr_t>(FindExecutableW(
        shellPath(file).c_str(), directory.empty() ? nullptr : wideDirectory.c_str(), found));
    if (answer > 32) {
        program = toUtf8(found);
    }
    return answer;
}

std::intptr_t SystemShell::ShellExecute(forms::NativeHandle window, const std::string& operation,
                                        const std::string& file, const std::string& parameters,
                                        const std::string& directory, int showCommand) {
    const std::wstring wideOperation = toWide(operation);
    const std::wstring wideParameters = toWide(parameters);
    const std::wstring wideDirectory = toWide(directory);
    return reinterpret_cast<std::intptr_t>(ShellExecuteW(
        nativeWindow(window), operation.empty() ? nullptr : wideOperation.c_str(), toWide(file).c_str(),
        parameters.empty() ? nullptr : wideParameters.c_str(), directory.empty() ? nullptr : wideDirectory.c_str(),
        showCommand));
}

bool SystemFiles::writeFile(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileW(fileSystemPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != 0 &&
                    written == bytes.size();
    CloseHandle(file);
    return ok;
}

bool SystemFiles::deleteFile(const std::string& path) {
    return DeleteFileW(fileSystemPath(path).c_str()) != 0;
}

bool SystemFiles::writableByStandardUsers(const std::string& path) {
    return win32::writableByStandardUsers(toWide(path));
}

platform::Services SystemServices::services() {
    return platform::Services{memory_, settings_, registry_, notifyIcon_, windows_, clock_,
                              locale_, process_,  blocks_,   shell_,      files_,   instances_};
}

}  // namespace win32
