// Opening the maker's pages and the support mail.
#include <gtest/gtest.h>

#include "Fakes.h"
#include "links/Links.h"

namespace {

using quillmere::ModIEOpen::OpenURLInBrowser;

const std::string kProbe = "C:\\Users\\me\\AppData\\Local\\Temp\\temphtm.htm";

struct Opening : testing::Test {
    fakes::Machine machine;
    void open(const std::string& url) {
        machine.log.clear();
        OpenURLInBrowser(machine.services, 0x99, url, "htm");
    }
};

TEST_F(Opening, StartsTheProgramFoundForTheProbeFileMaximizedWithTheQuotedAddress) {
    open("  https://www.tarnholt.com/  ");
    EXPECT_EQ(machine.log, (fakes::CallLog{"GetTempPath", "write file " + kProbe, "FindExecutable " + kProbe + " ''",
                                           "ShellExecute", "delete file " + kProbe}));
    ASSERT_EQ(machine.shell.executed.size(), 1U);
    const auto& run = machine.shell.executed[0];
    EXPECT_EQ(run.window, 0x99U);
    EXPECT_EQ(run.operation, "open");
    EXPECT_EQ(run.file, "C:\\Program Files\\Browser\\browser.EXE");
    EXPECT_EQ(run.parameters, "\"https://www.tarnholt.com/\"");
    EXPECT_EQ(run.directory, "");
    EXPECT_EQ(run.show, 3);
    EXPECT_TRUE(machine.files.files.empty());
}

TEST_F(Opening, ReplacesAProbeLeftBeforeWithFourBytesAndDeletesIt) {
    machine.files.files[kProbe] = "left by an earlier copy";
    std::string whileAsked;
    machine.shell.onFind = [&] { whileAsked = machine.files.files.at(kProbe); };
    open("https://x/");
    EXPECT_EQ(whileAsked, "\"\"\r\n");
    EXPECT_TRUE(machine.files.files.empty());
}

TEST_F(Opening, StartsTheWholePathOfTheFoundProgram) {
    const struct {
        const char* found;
        const char* program;  // nullptr: the address goes to the shell
    } cases[] = {
        {"C:\\Apps\\browser.exe", "C:\\Apps\\browser.exe"},
        {"  C:\\Apps\\Browser.Exe  ", "C:\\Apps\\Browser.Exe"},
        {"C:\\My.Exe Tools\\Browser\\browser.exe", "C:\\My.Exe Tools\\Browser\\browser.exe"},
        {"C:\\Apps\\run.exe.d\\browser.exe", "C:\\Apps\\run.exe.d\\browser.exe"},
        {"C:\\Programme\\Bröwser für alle\\browser.exe", "C:\\Programme\\Bröwser für alle\\browser.exe"},
        {"C:\\My.Exe Tools\\launcher.com", nullptr},
        {"C:\\Apps\\browser.exe.lnk", nullptr},
    };
    for (const auto& c : cases) {
        machine.shell.executed.clear();
        machine.shell.foundProgram = c.found;
        open("https://x/");
        ASSERT_EQ(machine.shell.executed.size(), 1U) << c.found;
        const auto& run = machine.shell.executed[0];
        EXPECT_EQ(run.file, c.program != nullptr ? c.program : "https://x/") << c.found;
        EXPECT_EQ(run.parameters, c.program != nullptr ? "\"https://x/\"" : "") << c.found;
    }
}

TEST_F(Opening, WorksFromATemporaryFolderOfAnyLength) {
    const std::string folder = "C:\\" + std::string(300, 'T') + "\\";
    machine.shell.tempPath = folder;
    open("https://x/");
    const std::string probe = folder + "temphtm.htm";
    EXPECT_EQ(machine.log, (fakes::CallLog{"GetTempPath", "write file " + probe, "FindExecutable " + probe + " ''",
                                           "ShellExecute", "delete file " + probe}));
    ASSERT_EQ(machine.shell.executed.size(), 1U);
    EXPECT_EQ(machine.shell.executed[0].file, "C:\\Program Files\\Browser\\browser.EXE");
    EXPECT_TRUE(machine.files.files.empty());
}

TEST_F(Opening, AHandlerThatIsNoExeGetsTheAddressThroughTheShell) {
    machine.shell.foundProgram = "C:\\Windows\\System32\\launcher.com";
    open(" https://www.tarnholt.com/contact.html ");
    ASSERT_EQ(machine.shell.executed.size(), 1U);
    EXPECT_EQ(machine.shell.executed[0].operation, "open");
    EXPECT_EQ(machine.shell.executed[0].file, "https://www.tarnholt.com/contact.html");
    EXPECT_EQ(machine.shell.executed[0].parameters, "");
    EXPECT_EQ(machine.shell.executed[0].show, 3);
    EXPECT_TRUE(machine.files.files.empty());
}

TEST_F(Opening, OpensNothingAndLeavesNoProbeWhenTheShellCannotHelp) {
    struct Case {
        const char* what;
        std::string tempPath;
        bool refuseWrites;
        std::intptr_t findAnswer;
        std::vector<std::string> calls;
    };
    const std::vector<Case> cases = {
        {"no temporary folder", "", false, 42, {"GetTempPath"}},
        {"probe not writable", "C:\\Users\\me\\AppData\\Local\\Temp\\", true, 2,
         {"GetTempPath", "write file " + kProbe, "FindExecutable " + kProbe + " ''", "delete file " + kProbe}},
        {"no association", "C:\\Users\\me\\AppData\\Local\\Temp\\", false, 31,
         {"GetTempPath", "write file " + kProbe, "FindExecutable " + kProbe + " ''", "delete file " + kProbe}},
    };
    for (const Case& c : cases) {
        fakes::Machine fresh;
        fresh.shell.tempPath = c.tempPath;
        fresh.files.refuseWrites = c.refuseWrites;
        fresh.shell.findAnswer = c.findAnswer;
        OpenURLInBrowser(fresh.services, 0x99, "https://x/", "htm");
        EXPECT_EQ(fresh.log, c.calls) << c.what;
        EXPECT_TRUE(fresh.shell.executed.empty()) << c.what;
        EXPECT_TRUE(fresh.files.files.empty()) << c.what;
    }
}

TEST(MailLink, GoesToTheShellsDefaultVerbInANormalWindow) {
    fakes::Machine machine;
    quillmere::ModIEOpen::MailSupport(machine.services, 0x77);
    ASSERT_EQ(machine.shell.executed.size(), 1U);
    const auto& mail = machine.shell.executed[0];
    EXPECT_EQ(mail.window, 0x77U);
    EXPECT_EQ(mail.operation, "");
    EXPECT_EQ(mail.file, "mailto:support@tarnholt.com");
    EXPECT_EQ(mail.parameters, "");
    EXPECT_EQ(mail.show, 1);
}

}  // namespace
