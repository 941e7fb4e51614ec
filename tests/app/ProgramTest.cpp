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

TEST_F(ProgramTest, EnterEndsTheProgram) {
    Program p;
    ASSERT_NE(p.Main(), nullptr);
    p.Key(VK_RETURN);
    EXPECT_TRUE(p.Ends());
}

TEST_F(ProgramTest, EscEndsTheProgram) {
    Program p;
    ASSERT_NE(p.Main(), nullptr);
    p.Key(VK_ESCAPE);
    EXPECT_TRUE(p.Ends());
}

TEST_F(ProgramTest, TheSystemCloseCommandEndsTheProgram) {
    Program p;
    ASSERT_NE(p.Main(), nullptr);
    PostMessageW(p.Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(p.Ends());
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
