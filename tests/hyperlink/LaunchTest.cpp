// Launching under Wine with the test's own registrations: the shell's open, the
// fallback through the ".htm" handler's command template, reading default values,
// and the message box that explains a failure.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/HyperLink.h"
#include "controls/LaunchCommand.h"
#include "tests/support/ClassKeyOverride.h"
#include "tests/support/RecordingBrowser.h"
#include "tests/support/WinTest.h"

namespace {

using Launches = std::vector<std::string>;

// A scheme nobody registers: the shell answers 31 (no association) for it.
const std::string LAUNCH_UNOPENABLE = "quilletnosuch:page-7";
constexpr char LAUNCH_PAGE_TYPE[] = "quillet.test.page";
constexpr char LAUNCH_PAGE_COMMAND[] = "quillet.test.page\\shell\\open\\command";

std::string Program() {
    return RecordingBrowser::QuotedProgram();
}

int Launch(const std::string& target) {
    return CHyperLink::LaunchTarget(target.c_str(), SW_SHOW);
}

class Fallback : public ::testing::Test {
protected:
    void Handler(const std::string& commandTemplate) {
        command.reset();
        command = std::make_unique<ClassKeyOverride>(LAUNCH_PAGE_COMMAND, commandTemplate);
    }

    RecordingBrowser browser;
    ClassKeyOverride htm{".htm", std::string(LAUNCH_PAGE_TYPE)};
    std::unique_ptr<ClassKeyOverride> command;
};

TEST_F(Fallback, ASuccessfulShellOpenLeavesTheRegistryAlone) {
    ClassKeyOverride http("http\\shell\\open\\command", Program() + " \"%1\"");
    // Were the fallback run, WinExec of this missing program would answer 2.
    Handler("\"C:\\quillet-missing\\browser.exe\" \"%1\"");
    EXPECT_GT(Launch("http://example.org/"), 32);
    EXPECT_EQ(browser.WaitForLaunches(1), Launches{Program() + " \"http://example.org/\""});
}

TEST_F(Fallback, TheTargetTakesThePlaceOfThePlaceholderInEachTemplateShape) {
    Handler(Program() + " -new \"%1\" -tail");
    EXPECT_GT(Launch(LAUNCH_UNOPENABLE), 32);
    Handler(Program() + " -url=%1 -tail");
    EXPECT_GT(Launch(LAUNCH_UNOPENABLE), 32);
    Handler(Program() + " -new");
    EXPECT_GT(Launch(LAUNCH_UNOPENABLE), 32);
    EXPECT_EQ(browser.WaitForLaunches(3), (Launches{Program() + " -new  " + LAUNCH_UNOPENABLE,
                                                    Program() + " -url= " + LAUNCH_UNOPENABLE,
                                                    Program() + " -new " + LAUNCH_UNOPENABLE}));
}

TEST_F(Fallback, StopsWithTheShellsResultWhenAStepFails) {
    EXPECT_EQ(Launch(LAUNCH_UNOPENABLE), 31) << "the type has no open command";

    const std::string longest = Program() + " " + std::string(259 - Program().size() - 4, 'x') + " %1";
    ASSERT_EQ(longest.size(), 259u);
    Handler(longest);
    EXPECT_GT(Launch(LAUNCH_UNOPENABLE), 32) << "259 characters fit the value buffer";
    Handler(longest + "x");
    EXPECT_EQ(Launch(LAUNCH_UNOPENABLE), 31) << "260 characters do not: the read fails";
    Handler(Program() + " %1");
    {
        ClassKeyOverride noType(".htm", std::nullopt);
        EXPECT_EQ(Launch(LAUNCH_UNOPENABLE), 31) << "\".htm\" names no file type";
    }
    EXPECT_GT(Launch(LAUNCH_UNOPENABLE), 32) << "the restored registration works again";
    EXPECT_EQ(browser.WaitForLaunches(2).size(), 2u);
    const Launches launches = browser.Launches();
    ASSERT_EQ(launches.size(), 2u) << "only the readable templates ran";
    EXPECT_EQ(launches[0], longest.substr(0, 257) + " " + LAUNCH_UNOPENABLE);
    EXPECT_EQ(launches[1], Program() + "  " + LAUNCH_UNOPENABLE);
}

TEST_F(Fallback, LongTargetsGoToTheHandlerWhole) {
    const std::string atLimit =
        LAUNCH_UNOPENABLE +
        std::string(LAUNCH_LONGEST_SHELL_TARGET - LAUNCH_UNOPENABLE.size(), 'a');
    EXPECT_EQ(Launch(atLimit), 31) << "targets up to the limit are offered to the shell";
    EXPECT_EQ(Launch(atLimit + "a"), SE_ERR_OOM) << "longer ones are not";

    Handler(Program() + " \"%1\"");
    const std::string longTarget = LAUNCH_UNOPENABLE + std::string(3000, 'a');
    EXPECT_GT(Launch(longTarget), 32);
    EXPECT_EQ(browser.WaitForLaunches(1), Launches{Program() + "  " + longTarget});

    const std::string tooLong = LAUNCH_UNOPENABLE + std::string(LAUNCH_LONGEST_COMMAND_LINE, 'a');
    EXPECT_EQ(Launch(tooLong), SE_ERR_OOM) << "a command line Windows cannot start is refused";
    EXPECT_EQ(browser.Launches().size(), 1u);
}

TEST(ReadKeyDefault, ReadsATextValueOrLeavesTheOutputAsItWas) {
    const std::string root = "quillet.test.read";
    ClassKeyOverride good(root + "\\good", std::string("值 value"));
    ClassKeyOverride longest(root + "\\longest", std::string(259, 'm'));
    ClassKeyOverride tooLong(root + "\\long", std::string(260, 'l'));
    ClassKeyOverride empty(root + "\\empty", std::string());
    ClassKeyOverride none(root + "\\none", std::nullopt);
    ClassKeyOverride binary(root + "\\binary", REG_BINARY, std::string(260, 'b'));

    CString out = "untouched";
    EXPECT_EQ(CHyperLink::ReadKeyDefault(HKEY_CLASSES_ROOT, (root + "\\missing").c_str(), out),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(CHyperLink::ReadKeyDefault(HKEY_CLASSES_ROOT, (root + "\\long").c_str(), out), ERROR_MORE_DATA);
    for (const char* failing : {"\\empty", "\\none", "\\binary"}) {
        EXPECT_NE(CHyperLink::ReadKeyDefault(HKEY_CLASSES_ROOT, (root + failing).c_str(), out), ERROR_SUCCESS)
            << failing;
    }
    EXPECT_EQ(out, "untouched");

    EXPECT_EQ(CHyperLink::ReadKeyDefault(HKEY_CLASSES_ROOT, (root + "\\good").c_str(), out), ERROR_SUCCESS);
    EXPECT_EQ(out, "值 value");
    EXPECT_EQ(CHyperLink::ReadKeyDefault(HKEY_CLASSES_ROOT, (root + "\\longest").c_str(), out), ERROR_SUCCESS);
    EXPECT_EQ(out, CString(std::string(259, 'm')));
    out = CString(root + "\\good");
    EXPECT_EQ(CHyperLink::ReadKeyDefault(HKEY_CLASSES_ROOT, out, out), ERROR_SUCCESS) << "one buffer for both";
    EXPECT_EQ(out, "值 value");
}

TEST(ShowLaunchError, TheBoxExplainsTheCodeUnderTheHeading) {
    wintest::MessageBoxCloser boxes;
    for (int code : {31, 4, 0, -3, 26}) CHyperLink::ShowLaunchError(code);
    EXPECT_EQ(boxes.texts, (std::vector<std::wstring>{
                               // One message, written on two lines.
                               L"Can't open link:\n\nThere is no application associated\n"  // NOLINT(bugprone-suspicious-missing-comma)
                               L"with the given filename extension.",
                               L"Can't open link:\n\nUnknown Error (4) occurred.",
                               L"Can't open link:\n\nThe operating system is out\nof memory or resources.",
                               L"Can't open link:\n\nUnknown Error (-3) occurred.",
                               L"Can't open link:\n\nA sharing violation occurred. ",
                           }));
}

}  // namespace
