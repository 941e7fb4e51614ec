// The real program, started as its own process: every way of ending the main window
// ends the process; arguments change nothing; copies run independently.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "harness/LaunchedProgram.h"
#include "tests/support/WinTest.h"

namespace {

// The build passes the program's path (a Unix path; Wine maps / to drive Z:).
std::wstring ProgramPath() {
    const char* unix = std::getenv("QUILLET_EXE");
    return unix ? WindowsPath(unix) : std::wstring();
}

std::wstring TextOf(HWND window) {
    wchar_t text[64] = {};
    wintest::SendToProgram(window, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
    return text;
}

// The real program, and its main window once that is up and painted.
class Program {
public:
    explicit Program(const std::wstring& arguments = L"") : m_process(ProgramPath(), arguments) {
        m_main = m_process.WaitUntilReady(wintest::PROGRAM_WAIT_MS);
        if (m_main && TextOf(m_main) != L"VantorelV1.0") m_main = nullptr;
    }
    HWND Main() const { return m_main; }
    DWORD ExitCode() const { return m_process.ExitCode(); }
    // A visible dialog of the program other than its main window, with a control `id`.
    HWND FindDialogWith(int id) const {
        HWND found = nullptr;
        wintest::WaitFor([&] {
            for (HWND hwnd : wintest::ThreadWindows(nullptr, m_process.ThreadId())) {
                if (hwnd != m_main && IsWindowVisible(hwnd) && GetDlgItem(hwnd, id)) found = hwnd;
            }
            return found != nullptr;
        });
        return found;
    }
    bool Running() const { return m_process.Running(); }
    bool Ends() const { return m_process.WaitForExit(wintest::PROGRAM_WAIT_MS); }

    HWND Focus() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(m_process.ThreadId(), &info);
        return info.hwndFocus;
    }
    // A key as the dialog manager of the program's thread receives it.
    void Key(UINT key) const {
        HWND target = Focus() ? Focus() : m_main;
        PostMessageW(target, WM_KEYDOWN, key, 1);
        PostMessageW(target, WM_KEYUP, key, 0xC0000001);
    }

private:
    LaunchedProgram m_process;
    HWND m_main = nullptr;
};

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(ProgramPath().empty()) << "QUILLET_EXE names the program";
    }
};

TEST_F(ProgramTest, EnterEndsTheProgramWithOk) {
    Program p;
    ASSERT_NE(p.Main(), nullptr);
    p.Key(VK_RETURN);
    ASSERT_TRUE(p.Ends());
    EXPECT_EQ(p.ExitCode(), static_cast<DWORD>(IDOK));
}

TEST_F(ProgramTest, EscEndsTheProgramWithCancel) {
    Program p;
    ASSERT_NE(p.Main(), nullptr);
    p.Key(VK_ESCAPE);
    ASSERT_TRUE(p.Ends());
    EXPECT_EQ(p.ExitCode(), static_cast<DWORD>(IDCANCEL));
}

TEST_F(ProgramTest, TheSystemCloseCommandEndsTheProgramWithCancel) {
    Program p;
    ASSERT_NE(p.Main(), nullptr);
    PostMessageW(p.Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(p.Ends());
    EXPECT_EQ(p.ExitCode(), static_cast<DWORD>(IDCANCEL));
}

TEST_F(ProgramTest, ArgumentsChangeNothing) {
    Program plain;
    ASSERT_NE(plain.Main(), nullptr);
    RECT plainRect{};
    GetClientRect(plain.Main(), &plainRect);
    plain.Key(VK_ESCAPE);
    ASSERT_TRUE(plain.Ends());

    Program withArguments(L" /help --settings=x \"C:\\no such file.txt\" 中文");
    ASSERT_NE(withArguments.Main(), nullptr);
    RECT rect{};
    GetClientRect(withArguments.Main(), &rect);
    EXPECT_EQ(rect.right, plainRect.right);
    EXPECT_EQ(rect.bottom, plainRect.bottom);
    withArguments.Key(VK_ESCAPE);
    EXPECT_TRUE(withArguments.Ends());
}

HWND ChildWithText(HWND parent, const wchar_t* text) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (TextOf(child) == text) return child;
    }
    return nullptr;
}

// The whole road of a calculation, by a user's hand.
TEST_F(ProgramTest, APreservationFeeFromDoubleClickToTheCloseButton) {
    Program p;
    ASSERT_NE(p.Main(), nullptr);
    HWND list = GetDlgItem(p.Main(), 1002);
    wintest::ClickAt(list, POINT{60, 40}, true);
    HWND calculator = p.FindDialogWith(1004);
    ASSERT_NE(calculator, nullptr) << "the calculator opens";
    EXPECT_TRUE(wintest::CentredOn(calculator, wintest::Centre(p.Main())));
    EXPECT_FALSE(IsWindowEnabled(p.Main()));

    // 保全费 is the twelfth entry of the kind list.
    HWND kinds = GetDlgItem(calculator, 1002);
    const int row = static_cast<int>(wintest::SendToProgram(kinds, LB_GETITEMHEIGHT));
    wintest::ClickAt(kinds, POINT{20, 11 * row + row / 2});
    EXPECT_TRUE(wintest::WaitFor([&] { return wintest::SendToProgram(kinds, LB_GETCURSEL) == 11; }));

    HWND amount = GetDlgItem(calculator, 1004);
    wintest::ClickAt(amount, wintest::Centre(amount, amount));
    ASSERT_TRUE(wintest::WaitFor([&] { return p.Focus() == amount; }));
    wintest::SendToProgram(amount, EM_SETSEL, 0, -1);
    for (wchar_t c : std::wstring(L"12345")) PostMessageW(amount, WM_CHAR, c, 1);
    ASSERT_TRUE(wintest::WaitFor([&] { return TextOf(amount) == L"12345"; }));
    HWND calc = GetDlgItem(calculator, IDOK);
    wintest::ClickAt(calc, wintest::Centre(calc, calc));
    wintest::WaitFor([&] { return TextOf(GetDlgItem(calculator, 1005)) == L"143"; });
    ASSERT_EQ(TextOf(GetDlgItem(calculator, 1005)), L"143");
    EXPECT_TRUE(IsWindow(calculator)) << "calculating keeps the calculator open";

    HWND cancel = GetDlgItem(calculator, IDCANCEL);
    wintest::ClickAt(cancel, wintest::Centre(cancel, cancel));
    EXPECT_TRUE(wintest::WaitFor([&] { return !IsWindow(calculator); }));
    EXPECT_TRUE(IsWindowEnabled(p.Main()));

    HWND close = ChildWithText(p.Main(), L"\x00D7");
    ASSERT_NE(close, nullptr);
    wintest::ClickAt(close, wintest::Centre(close, close));
    ASSERT_TRUE(p.Ends());
    EXPECT_EQ(p.ExitCode(), static_cast<DWORD>(IDCANCEL)) << "ended by the Cancel path";
}

TEST_F(ProgramTest, TheMainWindowOpensCentredOnTheWorkAreaAndTheAboutBoxOverItWhereverItStands) {
    Program p;
    ASSERT_NE(p.Main(), nullptr);
    EXPECT_TRUE(wintest::CentredOn(p.Main(), wintest::WorkAreaCentre()));
    // Away from the work area's centre, so that the two kinds of centring differ. The
    // program's thread moves it, without keeping this one waiting, before it takes the
    // posted command.
    SetWindowPos(p.Main(), nullptr, 100, 80, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
    PostMessageW(p.Main(), WM_SYSCOMMAND, 0x10, 0);  // the system menu's About entry
    HWND about = p.FindDialogWith(IDOK);
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(wintest::CentredOn(about, wintest::Centre(p.Main())));
    p.Key(VK_ESCAPE);
    wintest::WaitFor([&] { return !IsWindow(about); });
    p.Key(VK_ESCAPE);
    EXPECT_TRUE(p.Ends());
}

TEST_F(ProgramTest, TwoCopiesRunIndependently) {
    Program first;
    Program second;
    ASSERT_NE(first.Main(), nullptr);
    ASSERT_NE(second.Main(), nullptr);
    EXPECT_NE(first.Main(), second.Main());
    first.Key(VK_ESCAPE);
    EXPECT_TRUE(first.Ends());
    Sleep(200);
    EXPECT_TRUE(second.Running());
    EXPECT_TRUE(IsWindow(second.Main()));
    second.Key(VK_ESCAPE);
    EXPECT_TRUE(second.Ends());
}

// The manifest as Windows reads it from the program: the user's own rights, Windows 7 to
// 11, no awareness of the display's scaling, and the classic common controls.
TEST(Manifest, AsksForTheUsersRightsWindows7To11NoScalingAwarenessAndTheClassicControls) {
    std::unique_ptr<std::remove_pointer_t<HMODULE>, decltype(&FreeLibrary)> program(
        LoadLibraryExW(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE),
        &FreeLibrary);
    ASSERT_NE(program, nullptr);
    HRSRC found = FindResourceW(program.get(), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(found, nullptr) << "a manifest Windows reads at the process's start";
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(program.get(), found))),
                               SizeofResource(program.get(), found));
    for (const char* part : {"level=\"asInvoker\"", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                             "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
                             "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", ">false</dpiAware>",
                             ">unaware</dpiAwareness>"}) {
        EXPECT_NE(manifest.find(part), std::string::npos) << part;
    }
    EXPECT_EQ(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
}

// The header flag by which a Remote Desktop server gives the program the system's own
// Windows folder, where the help viewer lies.
TEST(ProgramHeader, TheProgramIsMarkedTerminalServerAware) {
    std::ifstream file(ProgramPath().c_str(), std::ios::binary);
    std::vector<char> image(4096);
    file.read(image.data(), static_cast<std::streamsize>(image.size()));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image.data());
    ASSERT_LT(static_cast<size_t>(dos->e_lfanew) + sizeof(IMAGE_NT_HEADERS), static_cast<size_t>(file.gcount()));
    // The field stands at the same place in the 32- and the 64-bit header.
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(image.data() + dos->e_lfanew);
    EXPECT_TRUE(nt->OptionalHeader.DllCharacteristics & IMAGE_DLLCHARACTERISTICS_TERMINAL_SERVER_AWARE);
}

// Programs started from now on are told `dpi`, as Windows 7's XP-style scaling tells
// them theirs. Every program of the prefix reads it: this test runs in a copy of the
// suite's prefix, made anew for each run (scripts/wine-session.sh).
void SetLogPixels(DWORD dpi) {
    const wchar_t* fonts = L"System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts";
    const wchar_t* desktop = L"Control Panel\\Desktop";
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, desktop, L"LogPixels", REG_DWORD, &dpi, 4), 0);
    ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, fonts, L"LogPixels", REG_DWORD, &dpi, 4), 0);
}

// What a user sees of a window: its size, its children's rectangles and its client
// pixels, scroll bars hidden: their width is a system metric, which grows with the DPI
// the program was told. The children's borders and scroll bars, in all, tell that DPI.
struct Look {
    std::vector<CRect> rectangles;
    std::vector<COLORREF> pixels;
    LONG systemMetrics = 0;
};

Look LookOf(HWND window) {
    CRect box, client;
    GetWindowRect(window, &box);
    GetClientRect(window, &client);
    Look look{{CRect(0, 0, box.Width(), box.Height())}, {}};
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        look.rectangles.push_back(wintest::RectInParent(child));
        GetClientRect(child, &box);
        look.systemMetrics += look.rectangles.back().Width() - box.Width();
        ShowScrollBar(child, SB_VERT, FALSE);
    }
    // The screen shows what the program painted a little later: read until it holds still.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    wintest::WaitFor([&] {
        const std::vector<COLORREF> before = look.pixels;
        Sleep(100);
        look.pixels = wintest::ClientPixels(window, client);
        return look.pixels == before;
    });
    return look;
}

// The skinned main window and the calculator look at 120 and 144 DPI as at 96.
TEST_F(ProgramTest, AtDpi120And144TheSkinnedWindowsLookAsAt96) {
    ASSERT_NE(std::getenv("QUILLET_PRIVATE_PREFIX"), nullptr) << "runs only in a prefix of its own";
    std::vector<Look> at96;
    for (DWORD dpi : {96, 120, 144}) {
        SetLogPixels(dpi);
        Program p;
        ASSERT_NE(p.Main(), nullptr);
        std::vector<Look> looks{LookOf(p.Main())};
        wintest::ClickAt(GetDlgItem(p.Main(), 1002), POINT{60, 40}, true);
        HWND calculator = p.FindDialogWith(1004);
        ASSERT_NE(calculator, nullptr);
        looks.push_back(LookOf(calculator));
        if (dpi == 96) at96 = looks;
        // Nothing to compare where the program is not told the DPI: Wine 10 keeps the DPI its
        // desktop started with, this test's, and scales a program as a whole, as Windows 8.1
        // and later do.
        if (dpi != 96 && looks[1].systemMetrics == at96[1].systemMetrics) {
            GTEST_SKIP() << "the programs started here are not told " << dpi << " DPI";
        }
        for (size_t w = 0; w < looks.size(); ++w) {
            const CRect& size = looks[w].rectangles[0];
            EXPECT_TRUE(looks[w].rectangles == at96[w].rectangles)
                << dpi << " DPI, window " << w << ", " << size.right << " x " << size.bottom;
            EXPECT_TRUE(looks[w].pixels == at96[w].pixels) << dpi << " DPI, window " << w;
        }
    }
}

}  // namespace
