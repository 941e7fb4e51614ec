// The real program, started as its own process: every way of ending the main window
// ends the process; arguments change nothing; copies run independently.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/support/WinTest.h"

namespace {

// The build passes the program's path (a Unix path; Wine maps / to drive Z:).
std::wstring ProgramPath() {
    const char* unix = std::getenv("QUILLET_EXE");
    if (!unix) return std::wstring();
    std::wstring path = L"Z:";
    for (const char* c = unix; *c; ++c) path.push_back(*c == '/' ? L'\\' : static_cast<wchar_t>(*c));
    return path;
}

class Program {
public:
    explicit Program(const std::wstring& arguments = L"") {
        std::wstring command = L"\"" + ProgramPath() + L"\"" + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                           &startup, &m_process)) {
            m_main = WaitForMainWindow();
        }
    }
    ~Program() {
        if (m_process.hProcess) {
            if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) {
                TerminateProcess(m_process.hProcess, 1);
            }
            CloseHandle(m_process.hProcess);
            CloseHandle(m_process.hThread);
        }
    }
    HWND Main() const { return m_main; }
    DWORD ExitCode() const {
        DWORD code = 0;
        GetExitCodeProcess(m_process.hProcess, &code);
        return code;
    }
    // A visible dialog of the program other than its main window, with a control `id`.
    HWND FindDialogWith(int id) const {
        for (int i = 0; i < 200; ++i) {
            struct Search {
                HWND main;
                int id;
                HWND found;
            } search{m_main, id, nullptr};
            EnumThreadWindows(
                m_process.dwThreadId,
                [](HWND hwnd, LPARAM data) -> BOOL {
                    auto* s = reinterpret_cast<Search*>(data);
                    if (hwnd == s->main || !IsWindowVisible(hwnd) || !GetDlgItem(hwnd, s->id)) return TRUE;
                    s->found = hwnd;
                    return FALSE;
                },
                reinterpret_cast<LPARAM>(&search));
            if (search.found) return search.found;
            Sleep(50);
        }
        return nullptr;
    }
    bool Running() const { return WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT; }
    bool Ends() const { return WaitForSingleObject(m_process.hProcess, 15000) == WAIT_OBJECT_0; }

    // A key as the dialog manager of the program's thread receives it.
    void Key(UINT key) const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(m_process.dwThreadId, &info);
        HWND target = info.hwndFocus ? info.hwndFocus : m_main;
        PostMessageW(target, WM_KEYDOWN, key, 1);
        PostMessageW(target, WM_KEYUP, key, 0xC0000001);
    }

private:
    HWND WaitForMainWindow() const {
        for (int i = 0; i < 300; ++i) {
            struct Search {
                DWORD pid;
                HWND found;
            } search{m_process.dwProcessId, nullptr};
            EnumWindows(
                [](HWND hwnd, LPARAM data) -> BOOL {
                    auto* s = reinterpret_cast<Search*>(data);
                    DWORD pid = 0;
                    GetWindowThreadProcessId(hwnd, &pid);
                    if (pid == s->pid && IsWindowVisible(hwnd) &&
                        wintest::WindowTextW(hwnd) == L"VantorelV1.0") {
                        s->found = hwnd;
                        return FALSE;
                    }
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&search));
            if (search.found) return search.found;
            Sleep(50);
        }
        return nullptr;
    }

    PROCESS_INFORMATION m_process{};
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

std::wstring TextOf(HWND window) {
    wchar_t text[64] = {};
    SendMessageW(window, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
    return text;
}

POINT CentreOf(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return POINT{r.right / 2, r.bottom / 2};
}

HWND ChildWithText(HWND parent, const wchar_t* text) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (wintest::WindowTextW(child) == text) return child;
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
    EXPECT_FALSE(IsWindowEnabled(p.Main()));

    // 保全费 is the twelfth entry of the kind list.
    HWND kinds = GetDlgItem(calculator, 1002);
    const int row = static_cast<int>(SendMessageW(kinds, LB_GETITEMHEIGHT, 0, 0));
    wintest::ClickAt(kinds, POINT{20, 11 * row + row / 2});
    EXPECT_EQ(SendMessageW(kinds, LB_GETCURSEL, 0, 0), 11);

    HWND amount = GetDlgItem(calculator, 1004);
    wintest::ClickAt(amount, CentreOf(amount));
    SendMessageW(amount, EM_SETSEL, 0, -1);
    for (wchar_t c : std::wstring(L"12345")) PostMessageW(amount, WM_CHAR, c, 1);
    wintest::Pump(3);
    HWND calc = GetDlgItem(calculator, IDOK);
    wintest::ClickAt(calc, CentreOf(calc));
    for (int i = 0; i < 50 && TextOf(GetDlgItem(calculator, 1005)) != L"143"; ++i) Sleep(20);
    EXPECT_EQ(TextOf(GetDlgItem(calculator, 1005)), L"143");
    EXPECT_TRUE(IsWindow(calculator)) << "calculating keeps the calculator open";

    HWND cancel = GetDlgItem(calculator, IDCANCEL);
    wintest::ClickAt(cancel, CentreOf(cancel));
    for (int i = 0; i < 50 && IsWindow(calculator); ++i) Sleep(20);
    EXPECT_FALSE(IsWindow(calculator));
    EXPECT_TRUE(IsWindowEnabled(p.Main()));

    HWND close = ChildWithText(p.Main(), L"\x00D7");
    ASSERT_NE(close, nullptr);
    wintest::ClickAt(close, CentreOf(close));
    ASSERT_TRUE(p.Ends());
    EXPECT_EQ(p.ExitCode(), static_cast<DWORD>(IDCANCEL)) << "ended by the Cancel path";
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

}  // namespace
