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
    EXPECT_EQ(machine.log, (fakes::CallLog{"write Load on Windows=0", "open HKLM\\" + kRunKey, "delete quillmere",
                                           "close", "open HKCU\\" + kRunKey, "delete quillmere", "close"}));

    click();
    EXPECT_EQ(machine.settings.values.at("Load on Windows"), "1");
    EXPECT_TRUE(has(Registry::HKEY_LOCAL_MACHINE));
    EXPECT_FALSE(has(Registry::HKEY_CURRENT_USER));
}

TEST_F(Option, FallsBackToTheUsersRunKeyWhenTheMachineKeyRefusesAndClearsBoth) {
    machine.registry.refuseMachineWrites = true;
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
