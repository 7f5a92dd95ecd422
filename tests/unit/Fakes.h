// Recording fakes of the system services: each answers what the test says and remembers every
// call in order.
#pragma once

#include <algorithm>
#include <cstring>
#include <map>
#include <functional>
#include <memory>
#include <new>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "app/FrmMain.h"
#include "app/Program.h"
#include "forms/HeadlessBackend.h"
#include "platform/Services.h"

namespace fakes {

using forms::NativeHandle;

// One log of calls shared by every fake, so a test can check the order across services.
using CallLog = std::vector<std::string>;

class Memory : public platform::Memory {
public:
    platform::MemoryStatus status;
    platform::MemoryStatus GlobalMemoryStatusEx() override { return status; }
};

class SettingsStore : public platform::SettingsStore {
public:
    explicit SettingsStore(CallLog& log) : log_(log) {}
    std::map<std::string, std::string> values;  // by key; application and section are checked
    std::set<std::string> unreadable;  // keys holding a value that gives no text; a write replaces it
    bool failWrites = false;

    platform::StoredText GetSetting(const std::string& application, const std::string& section,
                                    const std::string& key) override {
        checkAddress(application, section);
        log_.push_back("read " + key);
        if (unreadable.count(key) == 1) {
            return {platform::StoredText::State::Unreadable, {}};
        }
        const auto it = values.find(key);
        if (it == values.end()) {
            return {};
        }
        return {platform::StoredText::State::Text, it->second};
    }
    void SaveSetting(const std::string& application, const std::string& section, const std::string& key,
                     const std::string& text) override {
        checkAddress(application, section);
        log_.push_back("write " + key + "=" + text);
        if (!failWrites) {
            values[key] = text;
            unreadable.erase(key);
        }
    }
    std::vector<std::string> badAddresses;

private:
    void checkAddress(const std::string& application, const std::string& section) {
        if (application != "Quillmere" || section != "Quillmere v5.0.1") {
            badAddresses.push_back(application + "\\" + section);
        }
    }
    CallLog& log_;
};

// A registry of opened keys holding string values. A program that is not elevated may not open the
// machine-wide keys for changes.
class Registry : public platform::Registry {
public:
    explicit Registry(CallLog& log) : log_(log) {}
    struct Value {
        std::uint32_t type;
        std::string data;
    };
    // Values by (root, key path, value name).
    std::map<std::tuple<HKEY, std::string, std::string>, Value> values;
    bool elevated = true;
    // Keys by (root, key path) that do not exist until they are created.
    std::set<std::pair<HKEY, std::string>> missingKeys;

    long RegOpenKey(HKEY root, const std::string& subKey, HKEY* result) override {
        log_.push_back("open " + rootName(root) + "\\" + subKey);
        return openKey(root, subKey, result, false);
    }
    long RegCreateKey(HKEY root, const std::string& subKey, HKEY* result) override {
        log_.push_back("create " + rootName(root) + "\\" + subKey);
        return openKey(root, subKey, result, true);
    }
    long RegSetValueEx(HKEY key, const std::string& valueName, std::uint32_t type, const std::string& data) override {
        log_.push_back("set " + valueName + "=" + data);
        if (key == 0 || key > opened_.size()) {
            return 6;  // invalid handle
        }
        const auto& [root, path] = opened_[key - 1];
        values[{root, path, valueName}] = {type, data};
        return 0;
    }
    long RegDeleteValue(HKEY key, const std::string& valueName) override {
        log_.push_back("delete " + valueName);
        if (key == 0 || key > opened_.size()) {
            return 6;
        }
        const auto& [root, path] = opened_[key - 1];
        return values.erase({root, path, valueName}) == 1 ? 0 : 2;
    }
    long RegCloseKey(HKEY) override {
        log_.push_back("close");
        return 0;
    }
    long RegGetValue(HKEY root, const std::string& subKey, const std::string& valueName) override {
        log_.push_back("look up " + rootName(root) + " " + valueName);
        return values.count({root, subKey, valueName}) == 1 ? 0 : 2;
    }
    static std::string rootName(HKEY root) { return root == HKEY_LOCAL_MACHINE ? "HKLM" : "HKCU"; }

private:
    long openKey(HKEY root, const std::string& subKey, HKEY* result, bool create) {
        *result = 0;
        if (root == HKEY_LOCAL_MACHINE && !elevated) {
            return 5;  // access denied
        }
        if (missingKeys.count({root, subKey}) == 1) {
            if (!create) {
                return 2;  // not found
            }
            missingKeys.erase({root, subKey});
        }
        opened_.push_back({root, subKey});
        *result = static_cast<HKEY>(opened_.size());
        return 0;
    }
    CallLog& log_;
    std::vector<std::pair<HKEY, std::string>> opened_;
};

class NotifyIcon : public platform::NotifyIcon {
public:
    explicit NotifyIcon(CallLog& log) : log_(log) {}
    struct Call {
        std::uint32_t message;
        platform::NotifyIconData data;
    };
    std::vector<Call> calls;
    std::vector<std::uint32_t> versions;  // every NIM_SETVERSION, with the version asked for
    int iconsShown = 0;  // as the shell counts them: an add for an icon already there is refused
    int refuseAdds = 0;  // the next adds refused, as by a shell that is not ready yet

    bool Shell_NotifyIcon(std::uint32_t message, const platform::NotifyIconData& data) override {
        log_.push_back(message == NIM_ADD          ? "tray add"
                       : message == NIM_DELETE     ? "tray delete"
                       : message == NIM_SETVERSION ? "tray set version"
                                                   : "tray modify");
        if (message == NIM_SETVERSION) {
            // Kept apart from the adds, changes and deletes: it changes no icon.
            versions.push_back(data.uVersion);
            return iconsShown == 1;
        }
        calls.push_back({message, data});
        if (message == NIM_ADD && refuseAdds > 0) {
            --refuseAdds;
            return false;
        }
        if (message == NIM_ADD && iconsShown == 0) {
            ++iconsShown;
            return true;
        }
        if (message == NIM_DELETE && iconsShown == 1) {
            --iconsShown;
            return true;
        }
        return message == NIM_MODIFY && iconsShown == 1;
    }
    int adds() const {
        return static_cast<int>(
            std::count_if(calls.begin(), calls.end(), [](const Call& call) { return call.message == NIM_ADD; }));
    }

private:
    CallLog& log_;
};

class Windows : public platform::Windows {
public:
    explicit Windows(CallLog& log) : log_(log) {}
    struct Message {
        NativeHandle window;
        std::uint32_t message;
        std::uintptr_t wParam;
        std::intptr_t lParam;
    };
    struct Placement {
        NativeHandle window;
        NativeHandle insertAfter;
        int x, y, cx, cy;
        std::uint32_t flags;
    };
    std::vector<Message> messages;
    std::vector<Placement> placements;
    NativeHandle taskbar = 0x7001;  // 0: no taskbar
    platform::ClientRect taskbarRect{0, 0, 1024, 30};
    platform::ClientRect screenRect{0, 0, 1024, 768};
    static constexpr NativeHandle kDesktop = 0x7000;

    std::intptr_t SendMessage(NativeHandle window, std::uint32_t message, std::uintptr_t wParam,
                              std::intptr_t lParam) override {
        log_.push_back("send " + std::to_string(message));
        messages.push_back({window, message, wParam, lParam});
        return 0;
    }
    bool SetWindowPos(NativeHandle window, NativeHandle insertAfter, int x, int y, int cx, int cy,
                      std::uint32_t flags) override {
        log_.push_back("SetWindowPos");
        placements.push_back({window, insertAfter, x, y, cx, cy, flags});
        return true;
    }
    NativeHandle FindWindow(const std::string& className, const std::string& windowName) override {
        log_.push_back("FindWindow " + className + " '" + windowName + "'");
        return className == "shell_TrayWnd" && windowName.empty() ? taskbar : 0;
    }
    NativeHandle GetDesktopWindow() override { return kDesktop; }
    std::optional<platform::ClientRect> GetClientRect(NativeHandle window) override {
        if (window == kDesktop) {
            return screenRect;
        }
        if (window != 0 && window == taskbar) {
            return taskbarRect;
        }
        return std::nullopt;
    }

private:
    CallLog& log_;
};

class Clock : public platform::Clock {
public:
    platform::LocalTime time{2026, 12, 10, 19, 5, 9};
    platform::LocalTime now() override { return time; }
    void advance(int seconds) {
        int total = time.hour * 3600 + time.minute * 60 + time.second + seconds;
        time.hour = total / 3600;
        time.minute = total / 60 % 60;
        time.second = total % 60;
    }
};

class Locale : public platform::Locale {
public:
    char separator = '.';
    std::string time = ":";
    char decimalSeparator() override { return separator; }
    std::string timeSeparator() override { return time; }
    std::string longDate(const platform::LocalTime& date) override {
        return "long date " + std::to_string(date.year) + "-" + std::to_string(date.month) + "-" +
               std::to_string(date.day);
    }
};

class Process : public platform::Process {
public:
    explicit Process(CallLog& log) : log_(log) {}
    std::string arguments;
    std::string path = "C:\\Program Files\\Quillmere\\quillmere.exe";
    int exits = 0;
    // Runs at the moment of the exit: the real process would end there, so this is what it leaves.
    std::function<void()> onExit;
    std::string commandArguments() override { return arguments; }
    std::string executablePath() override { return path; }
    void exitNow() override {
        log_.push_back("exit");
        ++exits;
        if (onExit) {
            onExit();
        }
    }

private:
    CallLog& log_;
};

// Real blocks, so the run's writes are real; remembers every block and can refuse some.
class BlockAllocator : public platform::BlockAllocator {
public:
    explicit BlockAllocator(CallLog& log) : log_(log) {}
    std::vector<std::size_t> refuse;  // numbers (from 0) of the allocations to refuse
    std::optional<std::size_t> throwAt;  // the number of an allocation that throws std::bad_alloc
    std::vector<std::size_t> sizes;
    std::vector<void*> allocated;  // in order, nullptr for a refused one
    std::vector<void*> released;   // in order
    std::vector<bool> touchedInFull;  // checked at release: every byte of the block written
    int live = 0;

    void* allocate(std::size_t bytes) override {
        const std::size_t number = allocated.size();
        if (throwAt == number) {
            throwAt.reset();
            throw std::bad_alloc();
        }
        sizes.push_back(bytes);
        if (std::find(refuse.begin(), refuse.end(), number) != refuse.end()) {
            allocated.push_back(nullptr);
            return nullptr;
        }
        auto block = std::make_unique<unsigned char[]>(bytes);
        std::memset(block.get(), 0xAB, bytes);
        void* raw = block.get();
        blocks_.emplace(raw, std::make_pair(std::move(block), bytes));
        allocated.push_back(raw);
        ++live;
        log_.push_back("allocate");
        return raw;
    }
    void release(void* block) override {
        auto it = blocks_.find(block);
        const std::size_t size = it->second.second;
        if (spaces_.size() != size) {
            spaces_.resize(size);
            for (std::size_t i = 0; i < size; ++i) {
                spaces_[i] = i % 2 == 0 ? 0x20 : 0x00;
            }
        }
        const bool full = std::memcmp(it->second.first.get(), spaces_.data(), size) == 0;
        touchedInFull.push_back(full);
        released.push_back(block);
        blocks_.erase(it);
        --live;
        log_.push_back("release");
    }

private:
    CallLog& log_;
    std::map<void*, std::pair<std::unique_ptr<unsigned char[]>, std::size_t>> blocks_;
    std::vector<unsigned char> spaces_;  // a block as the run must leave it: spaces, two bytes each
};

// The shell as the test says: a temporary folder, a program for the probe file, every call logged.
class Shell : public platform::Shell {
public:
    explicit Shell(CallLog& log) : log_(log) {}
    std::string tempPath = "C:\\Users\\me\\AppData\\Local\\Temp\\";  // empty: none
    std::intptr_t findAnswer = 42;
    std::string foundProgram = "C:\\Program Files\\Browser\\browser.EXE";
    struct Execute {
        NativeHandle window;
        std::string operation, file, parameters, directory;
        int show;
    };
    std::vector<Execute> executed;
    std::function<void()> onFind;

    std::string GetTempPath() override {
        log_.push_back("GetTempPath");
        return tempPath;
    }
    std::intptr_t FindExecutable(const std::string& file, const std::string& directory,
                                 std::string& program) override {
        log_.push_back("FindExecutable " + file + " '" + directory + "'");
        if (onFind) {
            onFind();
        }
        if (findAnswer > 32) {
            program = foundProgram;
        }
        return findAnswer;
    }
    std::intptr_t ShellExecute(NativeHandle window, const std::string& operation, const std::string& file,
                               const std::string& parameters, const std::string& directory, int show) override {
        log_.push_back("ShellExecute");
        executed.push_back({window, operation, file, parameters, directory, show});
        return 42;
    }

private:
    CallLog& log_;
};

// Files by path; some paths cannot be written.
class Files : public platform::Files {
public:
    explicit Files(CallLog& log) : log_(log) {}
    std::map<std::string, std::string> files;
    bool refuseWrites = false;
    bool standardUsersMayWrite = false;  // where the program lives: a per-user folder when true
    bool writeFile(const std::string& path, const std::string& bytes) override {
        log_.push_back("write file " + path);
        // A path that starts with blanks is no path at all.
        if (refuseWrites || path.empty() || path[0] == ' ') {
            return false;
        }
        files[path] = bytes;
        return true;
    }
    bool deleteFile(const std::string& path) override {
        log_.push_back("delete file " + path);
        return files.erase(path) == 1;
    }
    bool writableByStandardUsers(const std::string&) override { return standardUsersMayWrite; }

private:
    CallLog& log_;
};

// Other copies of the program in the session, as the test says.
class Instances : public platform::Instances {
public:
    explicit Instances(CallLog& log) : log_(log) {}
    bool anotherCopyRuns = false;
    int askedToComeForward = 0;
    bool claimSession() override { return !anotherCopyRuns; }
    void askFirstToComeForward() override {
        log_.push_back("ask the running copy to come forward");
        ++askedToComeForward;
    }

private:
    CallLog& log_;
};

// The whole program on the headless backend with every service faked.
// A notification of the program's tray icon (id 1), as the shell sends it.
inline forms::TrayEvent trayEvent(std::uint32_t message, forms::Point at = {}) { return {message, 1, at}; }

struct Machine {
    CallLog log;
    Memory memory;
    SettingsStore settings{log};
    Registry registry{log};
    NotifyIcon notifyIcon{log};
    Windows windows{log};
    Clock clock;
    Locale locale;
    Process process{log};
    BlockAllocator blocks{log};
    Shell shell{log};
    Files files{log};
    Instances instances{log};
    platform::Services services{memory, settings, registry, notifyIcon, windows, clock,
                                locale, process,  blocks,   shell,      files,   instances};
    forms::HeadlessBackend backend;
    std::unique_ptr<quillmere::Program> program;

    Machine() {
        memory.status.ullTotalPhys = 8ULL << 30;
        memory.status.ullAvailPhys = 4ULL << 30;
        memory.status.ullTotalPageFile = 12ULL << 30;
        memory.status.ullAvailPageFile = 6ULL << 30;
        memory.status.ullTotalVirtual = 128ULL << 40;
        memory.status.ullAvailVirtual = 127ULL << 40;
    }
    quillmere::Program& start() {
        program = std::make_unique<quillmere::Program>(services, backend);
        program->start();
        return *program;
    }
    quillmere::FrmMain& main() { return program->main(); }
};

}  // namespace fakes
