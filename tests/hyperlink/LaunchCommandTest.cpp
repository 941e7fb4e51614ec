// Command lines built from a handler's template, and the texts that explain a failed
// opening: window-free, run natively and under Wine.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "controls/LaunchCommand.h"
#include "controls/LaunchError.h"

namespace {

const std::string LAUNCH_URL = "http://example.org/showNote.php?id=581";

std::string Assembled(const std::string& commandTemplate, const std::string& target = LAUNCH_URL) {
    return AssembleLaunchCommand(commandTemplate, target).value_or("<refused>");
}

TEST(LaunchCommand, QuotedPlaceholderCutsAtItsOpeningQuoteAndDropsTheRest) {
    EXPECT_EQ(Assembled(R"("C:\Program Files\Browser\b.exe" -new "%1" -tail)"),
              R"("C:\Program Files\Browser\b.exe" -new  )" + LAUNCH_URL);
    // The quoted form wins even where a bare one comes first.
    EXPECT_EQ(Assembled(R"(b.exe %1 -x "%1")"), "b.exe %1 -x  " + LAUNCH_URL);
    EXPECT_EQ(Assembled(R"("%1")"), " " + LAUNCH_URL);
}

TEST(LaunchCommand, BarePlaceholderCutsAtThePercentSign) {
    EXPECT_EQ(Assembled("b.exe -url=%1&x"), "b.exe -url= " + LAUNCH_URL);
    EXPECT_EQ(Assembled("b.exe %10"), "b.exe  " + LAUNCH_URL) << "%10 holds %1";
    EXPECT_EQ(Assembled(R"(b.exe "%1)"), R"(b.exe " )" + LAUNCH_URL) << "an unclosed quote stays";
}

TEST(LaunchCommand, TemplateWithoutPlaceholderGetsOneSpaceAndTheTarget) {
    EXPECT_EQ(Assembled("b.exe -new"), "b.exe -new " + LAUNCH_URL);
    EXPECT_EQ(Assembled("b.exe %2 % 1"), "b.exe %2 % 1 " + LAUNCH_URL);
    EXPECT_EQ(Assembled(""), " " + LAUNCH_URL);
    EXPECT_EQ(PlaceholderCut("b.exe"), 5u);
}

TEST(LaunchCommand, DoubleByteTextAroundThePlaceholderIsKept) {
    const std::string browser = "\"C:\\浏览器\\打开.exe\" ";  // code page 936 bytes
    EXPECT_EQ(Assembled(browser + "\"%1\" 选项", "http://例子.cn/"), browser + " http://例子.cn/");
    EXPECT_EQ(PlaceholderCut(browser + "%1"), browser.size());
}

TEST(LaunchCommand, LongInputsGrowTheCommandUpToTheSystemLimitAndNoFurther) {
    const std::string longTemplate = "\"C:\\" + std::string(250, 'p') + "\\b.exe\" \"%1\"";
    const std::string longTarget = "http://example.org/?" + std::string(5000, 'q');
    const std::string expected = longTemplate.substr(0, longTemplate.size() - 4) + " " + longTarget;
    EXPECT_EQ(Assembled(longTemplate, longTarget), expected);

    const std::string head = "b.exe";
    const std::string fits(LAUNCH_LONGEST_COMMAND_LINE - head.size() - 1, 't');
    EXPECT_EQ(Assembled(head, fits).size(), LAUNCH_LONGEST_COMMAND_LINE);
    EXPECT_FALSE(AssembleLaunchCommand(head, fits + "t").has_value());
    const std::string program(LAUNCH_LONGEST_COMMAND_LINE - 1, 'p');
    EXPECT_TRUE(AssembleLaunchCommand(program + "%1", "").has_value())
        << "what the cut drops does not count";
    EXPECT_FALSE(AssembleLaunchCommand(program + "%2", "").has_value());
}

TEST(LaunchCommand, OpenCommandKeyIsBelowTheFileType) {
    EXPECT_EQ(OpenCommandKey("htmlfile"), "htmlfile\\shell\\open\\command");
    EXPECT_EQ(OpenCommandKey(""), "\\shell\\open\\command");
}

TEST(LaunchError, TabledCodesExplainTheFailure) {
    const std::string head = "Can't open link:\n\n";
    EXPECT_EQ(LaunchErrorMessage(0), head + "The operating system is out\nof memory or resources.");
    EXPECT_EQ(LaunchErrorMessage(2), head + "The specified file was not found.");
    EXPECT_EQ(LaunchErrorMessage(3), head + "The specified path was not found.");
    EXPECT_EQ(LaunchErrorMessage(5), head + "The operating system denied\naccess to the specified file.");
    EXPECT_EQ(LaunchErrorMessage(8), head + "There was not enough memory to complete the operation.");
    EXPECT_EQ(LaunchErrorMessage(11),
              head + "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).");
    EXPECT_EQ(LaunchErrorMessage(26), head + "A sharing violation occurred. ");
    EXPECT_EQ(LaunchErrorMessage(27), head + "The filename association is\nincomplete or invalid.");
    EXPECT_EQ(LaunchErrorMessage(28),
              head + "The DDE transaction could not\nbe completed because the request timed out.");
    EXPECT_EQ(LaunchErrorMessage(29), head + "The DDE transaction failed.");
    EXPECT_EQ(LaunchErrorMessage(30), head + "The DDE transaction could not\nbe completed because "
                                             "other DDE transactions\nwere being processed.");
    EXPECT_EQ(LaunchErrorMessage(31),
              head + "There is no application associated\nwith the given filename extension.");
    EXPECT_EQ(LaunchErrorMessage(32), head + "The specified dynamic-link library was not found.");
}

TEST(LaunchError, OtherCodesAreFormattedAsSignedNumbers) {
    const std::string head = "Can't open link:\n\n";
    for (int code : {1, 4, 6, 7, 9, 10, 12, 25}) {
        EXPECT_EQ(LaunchErrorMessage(code),
                  head + "Unknown Error (" + std::to_string(code) + ") occurred.");
    }
    EXPECT_EQ(LaunchErrorMessage(33), head + "Unknown Error (33) occurred.");
    EXPECT_EQ(LaunchErrorMessage(-2), head + "Unknown Error (-2) occurred.")
        << "negative codes are above 32 when read unsigned, not the text of 2";
    EXPECT_EQ(LaunchErrorMessage(INT_MIN), head + "Unknown Error (-2147483648) occurred.");
}

}  // namespace
