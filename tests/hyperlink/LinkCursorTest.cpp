// The link cursor comes from the help viewer in the Windows directory, once per process:
// each case runs in a new process of this program, on a viewer the test put in place: a
// 32-bit one, as every Windows has.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "classlib/GdiObject.h"
#include "harness/LaunchedProgram.h"
#include "tests/hyperlink/LinkFixture.h"
#include "tests/support/WinTest.h"

namespace {

constexpr WORD VIEWER_HAND_CURSOR_ID = 106;
constexpr char TEST_PROGRAM[] = "hyperlink_tests.exe";
// Wine's settings for this program only, so that no other program that uses the prefix
// loads what the tests put in place. The environment cannot carry the override: Wine
// gives a child process the WINEDLLOVERRIDES that Wine was started with, not its parent's.
const std::string OWN_WINE_SETTINGS = std::string("Software\\Wine\\AppDefaults\\") + TEST_PROGRAM;

std::string WindowsHelpViewer() {
    char directory[MAX_PATH] = {};
    GetWindowsDirectoryA(directory, MAX_PATH);
    return std::string(directory) + "\\winhlp32.exe";
}

std::string OwnHelpViewer() {
    return wintest::TestDirectory() + "help_viewer.exe";
}

// While alive, the Windows directory holds `replacement` as its help viewer, or no viewer
// when that is empty, and this program loads it in place of Wine's built-in viewer of that
// name. All of it goes back when this ends or, after a run that was killed, before the
// next one changes anything; the prefix's own viewer waits aside, and nothing overwrites
// it. A step that fails fails the test with its reason.
class HelpViewerInPlace {
public:
    explicit HelpViewerInPlace(const std::string& replacement) {
        m_ready = PutBack() && Check(MoveFileA(m_viewer.c_str(), m_aside.c_str()), "put the viewer aside");
        if (!m_ready || replacement.empty()) return;
        m_ready = Check(CopyFileA(replacement.c_str(), m_viewer.c_str(), TRUE), "copy the test's viewer in") &&
                  Check(Succeeded(RegSetKeyValueA(HKEY_CURRENT_USER, (OWN_WINE_SETTINGS + "\\DllOverrides").c_str(),
                                                  "winhlp32.exe", REG_SZ, "native", 7)),
                        "override the built-in viewer");
    }
    ~HelpViewerInPlace() { PutBack(); }
    HelpViewerInPlace(const HelpViewerInPlace&) = delete;
    HelpViewerInPlace& operator=(const HelpViewerInPlace&) = delete;
    bool Ready() const { return m_ready; }

private:
    static bool Check(bool done, const char* step) {
        if (!done) ADD_FAILURE() << "could not " << step << ": error " << GetLastError();
        return done;
    }
    // A registry call's status, made the last error.
    static bool Succeeded(LONG status) {
        SetLastError(static_cast<DWORD>(status));
        return status == ERROR_SUCCESS;
    }
    bool PutBack() const {
        if (!Check(Succeeded(RegDeleteTreeA(HKEY_CURRENT_USER, OWN_WINE_SETTINGS.c_str())) ||
                       GetLastError() == ERROR_FILE_NOT_FOUND,
                   "take the override away")) {
            return false;
        }
        if (GetFileAttributesA(m_aside.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
        return Check(MoveFileExA(m_aside.c_str(), m_viewer.c_str(), MOVEFILE_REPLACE_EXISTING),
                     "put the viewer back");
    }

    const std::string m_viewer = WindowsHelpViewer();
    const std::string m_aside = m_viewer + ".aside";
    bool m_ready = false;
};

// Runs the disabled case `name` in a new process of this program; fails unless that
// process ran that case and it passed.
void RunInOwnProcess(const std::string& name) {
    const std::string report = wintest::TestDirectory() + name + ".xml";
    DeleteFileA(report.c_str());
    const std::string self = wintest::TestDirectory() + TEST_PROGRAM;
    const std::string arguments = " --gtest_also_run_disabled_tests --gtest_filter=" + name +
                                  " \"--gtest_output=xml:" + report + "\"";
    LaunchedProgram child(WindowsPath(self.c_str()), std::wstring(arguments.begin(), arguments.end()));
    ASSERT_TRUE(child.WaitForExit(wintest::PROGRAM_WAIT_MS));
    EXPECT_EQ(child.ExitCode(), 0u);
    std::ifstream file(report);
    const std::string xml{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    EXPECT_NE(xml.find("status=\"run\""), std::string::npos) << xml;
}

// The pointer's shape as the user sees it, over a client point of a window.
HCURSOR PointerOver(HWND window, POINT client) {
    wintest::MoveMouseTo(window, client);
    CURSORINFO info{};
    info.cbSize = sizeof info;
    GetCursorInfo(&info);
    return info.hCursor;
}

// A monochrome cursor's picture: its mask bits and hot spot.
std::vector<LONG> PictureOf(HCURSOR cursor) {
    ICONINFO info{};
    if (!GetIconInfo(cursor, &info)) return {};
    CBitmap mask, colour;
    mask.Attach(info.hbmMask);
    colour.Attach(info.hbmColor);
    BITMAP shape{};
    mask.GetBitmap(&shape);
    std::vector<LONG> picture(static_cast<size_t>(shape.bmWidthBytes * shape.bmHeight) / sizeof(LONG));
    GetBitmapBits(mask, static_cast<LONG>(picture.size() * sizeof(LONG)), picture.data());
    picture.push_back(static_cast<LONG>(info.xHotspot));
    picture.push_back(static_cast<LONG>(info.yHotspot));
    return picture;
}

// What one process shows with the pointer over the dialog and then over a link.
class CursorCase : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.Open());
        overDialog = PointerOver(dialog, {4, 4});
        overLink = PointerOver(dialog.text, {3, 3});
    }
    wintest::MessageBoxCloser boxes;
    LinkDialog dialog;
    HCURSOR overDialog = nullptr;
    HCURSOR overLink = nullptr;
};

TEST_F(CursorCase, DISABLED_NoViewer) {
    EXPECT_EQ(CHyperLink::CurrentCursor(), nullptr);
    EXPECT_EQ(overLink, overDialog) << "no cursor of the link's own";
    EXPECT_EQ(SendMessageW(dialog.text, WM_SETCURSOR, reinterpret_cast<WPARAM>(dialog.text.m_hWnd),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              FALSE);
    EXPECT_TRUE(boxes.texts.empty()) << "no error is shown";
}

TEST_F(CursorCase, DISABLED_OwnViewer) {
    EXPECT_NE(overLink, overDialog);
    EXPECT_EQ(overLink, CHyperLink::CurrentCursor());
    std::unique_ptr<std::remove_pointer_t<HMODULE>, decltype(&FreeLibrary)> viewer(
        LoadLibraryExA(WindowsHelpViewer().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE), &FreeLibrary);
    const std::vector<LONG> hand = PictureOf(LoadCursorA(viewer.get(), MAKEINTRESOURCEA(VIEWER_HAND_CURSOR_ID)));
    EXPECT_FALSE(hand.empty());
    EXPECT_EQ(PictureOf(overLink), hand) << "the viewer's hand, alive after the viewer was let go";
}

TEST(LinkCursor, WithoutAHelpViewerALinkHasNoCursorOfItsOwnAndShowsNoError) {
    HelpViewerInPlace none("");
    ASSERT_TRUE(none.Ready());
    RunInOwnProcess("CursorCase.DISABLED_NoViewer");
}

TEST(LinkCursor, AHelpViewerGivesItsHandCopiedToOutliveTheModule) {
    HelpViewerInPlace own(OwnHelpViewer());
    ASSERT_TRUE(own.Ready());
    RunInOwnProcess("CursorCase.DISABLED_OwnViewer");
}

}  // namespace
