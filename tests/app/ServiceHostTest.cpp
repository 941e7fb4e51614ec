// The service site's host is a build setting: a main window built for another host than
// the program's own opens that host's six pages.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/quilletDlg.h"
#include "classlib/App.h"
#include "tests/app/ServiceLinks.h"
#include "tests/support/ClassKeyOverride.h"
#include "tests/support/RecordingBrowser.h"
#include "tests/support/WinTest.h"

namespace {

TEST(ServiceHost, TheLinksOpenTheSixPagesOfTheHostTheProgramWasBuiltFor) {
    RecordingBrowser browser;
    ClassKeyOverride http{"http\\shell\\open\\command", RecordingBrowser::QuotedProgram() + " \"%1\""};
    CQuilletDlg main;
    AfxGetApp()->m_pMainWnd = &main;
    ASSERT_TRUE(main.Create());
    for (int id : MAIN_LINK_IDS) {
        wintest::ClickAt(main.GetDlgItem(id), POINT{3, 3});
        wintest::MoveMouseTo(main, POINT{300, 300});
    }
    std::vector<std::string> expected;
    for (const std::string& page : ServicePages("http://links.quillet-test.example")) {
        expected.push_back(RecordingBrowser::QuotedProgram() + " \"" + page + "\"");
    }
    EXPECT_EQ(browser.WaitForLaunches(expected.size()), expected);
    main.DestroyWindow();
}

}  // namespace
