// The start-with-Windows option and its value under the "Run" key.
#include <gtest/gtest.h>

#include "Fakes.h"
#include "startup/modStartup.h"

namespace {

using platform::Registry;
using quillmere::modStartup::runValueData;
using quillmere::modStartup::runValueName;

const std::string kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

TEST(RunValue, NamesTheExecutableAndQuotesItsPathWithALowerCaseExtension) {
    struct Case {
        const char* path;
        const char* name;
        const char* data;
    };
    const Case cases[] = {
        {"C:\\Tools\\Monitor.exe", "Monitor", "\"C:\\Tools\\Monitor.exe\" auto"},
        {"C:\\Tools\\Monitor.EXE", "Monitor", "\"C:\\Tools\\Monitor.exe\" auto"},
        // In the root of a drive the folder already ends in a backslash.
        {"C:\\Monitor.exe", "Monitor", "\"C:\\\\Monitor.exe\" auto"},
        {"D:\\My Apps\\v1.2\\Quill.mere.Exe", "Quill.mere", "\"D:\\My Apps\\v1.2\\Quill.mere.exe\" auto"},
        {"\\\\server\\share\\q.exe", "q", "\"\\\\server\\share\\q.exe\" auto"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(runValueName(c.path), c.name) << c.path;
        EXPECT_EQ(runValueData(c.path), c.data) << c.path;
    }
}

struct Option : testing::Test {
    fakes::Machine machine;
    void click() { machine.main().chkRunWhenWIndowsStarts.userClick(); }
    bool has(Registry::HKEY root) const {
        return machine.registry.values.count({root, kRunKey, "quillmere"}) == 1;
    }
};

TEST_F(Option, EachClickStoresTheChoiceAndWritesOrDeletesTheMachineValue) {
    machine.start();
    ASSERT_TRUE(has(Registry::HKEY_LOCAL_MACHINE));
    machine.log.clear();

    click();
    EXPECT_EQ(machine.settings.values.at("Load on Windows"), "0");
    EXPECT_FALSE(has(Registry::HKEY_LOCAL_MACHINE));
    EXPECT_EQ(machine.log, (fakes::CallLog{"open HKLM\\" + kRunKey, "delete quillmere", "close",
                                           "open HKCU\\" + kRunKey, "delete quillmere", "close",
                                           "write Load on Windows=0"}));

    click();
    EXPECT_EQ(machine.settings.values.at("Load on Windows"), "1");
    EXPECT_TRUE(has(Registry::HKEY_LOCAL_MACHINE));
    EXPECT_FALSE(has(Registry::HKEY_CURRENT_USER));
}

TEST_F(Option, FallsBackToTheUsersRunKeyWhenTheMachineKeyRefusesAndClearsBoth) {
    machine.registry.elevated = false;
    machine.start();
    EXPECT_FALSE(has(Registry::HKEY_LOCAL_MACHINE));
    ASSERT_TRUE(has(Registry::HKEY_CURRENT_USER));
    EXPECT_EQ(machine.registry.values.at({Registry::HKEY_CURRENT_USER, kRunKey, "quillmere"}).data,
              "\"C:\\Program Files\\Quillmere\\quillmere.exe\" auto");
    EXPECT_EQ(machine.main().chkRunWhenWIndowsStarts.value(), 1);

    click();
    EXPECT_FALSE(has(Registry::HKEY_CURRENT_USER));
    EXPECT_EQ(machine.settings.values.at("Load on Windows"), "0");
}

TEST_F(Option, MakesTheUsersRunKeyWhenANewProfileHasNone) {
    machine.files.standardUsersMayWrite = true;
    machine.registry.missingKeys.insert({Registry::HKEY_CURRENT_USER, kRunKey});
    machine.registry.missingKeys.insert({Registry::HKEY_LOCAL_MACHINE, kRunKey});
    machine.start();
    EXPECT_TRUE(has(Registry::HKEY_CURRENT_USER));
    // The machine-wide key is the system's: it is never made.
    EXPECT_EQ(machine.registry.missingKeys.count({Registry::HKEY_LOCAL_MACHINE, kRunKey}), 1U);
}

// Which Run value starts the program: the machine-wide one only for a program that standard users
// cannot change, and only one of the two. Both hives hold a value from earlier starts.
struct Placement {
    const char* name;
    bool perUserFolder;
    bool elevated;
    bool machineValue;  // after start-up
    bool userValue;
};

void PrintTo(const Placement& p, std::ostream* out) { *out << p.name; }

class RunValuePlacement : public testing::TestWithParam<Placement> {};

TEST_P(RunValuePlacement, OneValueInTheRightHive) {
    const Placement p = GetParam();
    fakes::Machine machine;
    const std::string ours = "\"C:\\Program Files\\Quillmere\\quillmere.exe\" auto";
    for (Registry::HKEY root : {Registry::HKEY_LOCAL_MACHINE, Registry::HKEY_CURRENT_USER}) {
        machine.registry.values[{root, kRunKey, "quillmere"}] = {Registry::REG_SZ, "\"C:\\Old\\quillmere.exe\" auto"};
    }
    machine.files.standardUsersMayWrite = p.perUserFolder;
    machine.registry.elevated = p.elevated;
    machine.start();

    const auto value = [&](Registry::HKEY root) -> std::string {
        const auto found = machine.registry.values.find({root, kRunKey, "quillmere"});
        return found == machine.registry.values.end() ? "(none)" : found->second.data;
    };
    // A value the program could not remove keeps what it held.
    EXPECT_EQ(value(Registry::HKEY_LOCAL_MACHINE),
              p.machineValue ? (p.elevated ? ours : "\"C:\\Old\\quillmere.exe\" auto") : "(none)");
    EXPECT_EQ(value(Registry::HKEY_CURRENT_USER), p.userValue ? ours : "(none)");
    EXPECT_EQ(machine.main().chkRunWhenWIndowsStarts.value(), 1);
    EXPECT_TRUE(machine.backend.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    FolderAndRights, RunValuePlacement,
    testing::Values(Placement{"PerMachineFolderElevated", false, true, true, false},
                    Placement{"PerMachineFolderStandardUser", false, false, true, true},
                    Placement{"PerUserFolderElevated", true, true, false, true},
                    Placement{"PerUserFolderStandardUser", true, false, true, true}),
    [](const testing::TestParamInfo<Placement>& info) { return std::string(info.param.name); });

// A machine-wide value left by a start with administrator rights, for a program now run without.
struct MachineValueLeftBehind : Option {
    void SetUp() override {
        machine.registry.values[{Registry::HKEY_LOCAL_MACHINE, kRunKey, "quillmere"}] = {
            Registry::REG_SZ, "\"C:\\Program Files\\Quillmere\\quillmere.exe\" auto"};
        machine.registry.elevated = false;
    }
    const std::vector<forms::HeadlessBackend::Message>& messages() const { return machine.backend.messages; }
};

TEST_F(MachineValueLeftBehind, ClearingTheBoxPutsItBackStoresOneAndSaysOnceWhy) {
    machine.start();
    ASSERT_TRUE(messages().empty());

    click();
    EXPECT_EQ(machine.main().chkRunWhenWIndowsStarts.value(), 1);
    EXPECT_EQ(machine.settings.values.at("Load on Windows"), "1");
    EXPECT_TRUE(has(Registry::HKEY_LOCAL_MACHINE));
    ASSERT_EQ(messages().size(), 1U);
    EXPECT_EQ(messages()[0].caption, "Quillmere v5.0.1");
    EXPECT_NE(messages()[0].text.find("administrator rights"), std::string::npos) << messages()[0].text;

    click();
    EXPECT_EQ(machine.main().chkRunWhenWIndowsStarts.value(), 1);
    EXPECT_EQ(messages().size(), 1U);
}

TEST_F(MachineValueLeftBehind, AStartWithTheOptionStoredOffShowsTheBoxChecked) {
    machine.settings.values["Load on Windows"] = "0";
    machine.start();
    EXPECT_EQ(machine.main().chkRunWhenWIndowsStarts.value(), 1);
    EXPECT_EQ(machine.settings.values.at("Load on Windows"), "1");
    EXPECT_TRUE(has(Registry::HKEY_LOCAL_MACHINE));
    EXPECT_EQ(messages().size(), 1U);
}

TEST_F(Option, AMovedProgramWritesItsNewPlaceUnderItsNewName) {
    machine.registry.values[{Registry::HKEY_LOCAL_MACHINE, kRunKey, "old"}] = {Registry::REG_SZ, "x"};
    machine.process.path = "E:\\Portable\\Memory.EXE";
    machine.start();
    EXPECT_EQ(machine.registry.values.at({Registry::HKEY_LOCAL_MACHINE, kRunKey, "Memory"}).data,
              "\"E:\\Portable\\Memory.exe\" auto");
    EXPECT_EQ(machine.registry.values.count({Registry::HKEY_LOCAL_MACHINE, kRunKey, "old"}), 1U);
}

TEST_F(Option, AStoreThatCannotBeWrittenStillSetsTheRunValue) {
    machine.settings.failWrites = true;
    machine.start();
    EXPECT_TRUE(has(Registry::HKEY_LOCAL_MACHINE));
    EXPECT_TRUE(machine.settings.values.empty());
}

}  // namespace
