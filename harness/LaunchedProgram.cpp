#include "harness/LaunchedProgram.h"

namespace {

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindVisibleWindowOf(HWND hwnd, LPARAM data) {
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner != search->processId || !IsWindowVisible(hwnd)) return TRUE;
    search->found = hwnd;
    return FALSE;
}

HWND VisibleTopLevelWindowOf(DWORD processId) {
    WindowSearch search{processId, nullptr};
    EnumWindows(FindVisibleWindowOf, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK FindChildToPaint(HWND child, LPARAM data) {
    if (!IsWindowVisible(child) || !GetUpdateRect(child, nullptr, FALSE)) return TRUE;
    *reinterpret_cast<bool*>(data) = false;
    return FALSE;
}

// Children keep update regions of their own, so a painted frame says nothing about
// the controls inside it.
bool NothingLeftToPaint(HWND window) {
    if (GetUpdateRect(window, nullptr, FALSE)) return false;
    bool clean = true;
    EnumChildWindows(window, FindChildToPaint, reinterpret_cast<LPARAM>(&clean));
    return clean;
}

DWORD MillisecondsLeft(ULONGLONG deadline) {
    const ULONGLONG now = GetTickCount64();
    return now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
}

}  // namespace

std::wstring WindowsPath(const char* path) {
    const int n = MultiByteToWideChar(CP_ACP, 0, path, -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(n > 0 ? n : 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path, -1, &wide[0], n);
    wide.resize(wide.size() - 1);
    if (wide.size() < 2 || wide[1] != L':') wide.insert(0, L"Z:");
    for (wchar_t& c : wide) {
        if (c == L'/') c = L'\\';
    }
    return wide;
}

LaunchedProgram::LaunchedProgram(const std::wstring& path, const std::wstring& arguments) {
    std::wstring command = L"\"" + path + L"\"" + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &m_info)) {
        m_info = PROCESS_INFORMATION{};
    }
}

LaunchedProgram::~LaunchedProgram() {
    if (!Started()) return;
    if (Running()) {
        TerminateProcess(m_info.hProcess, 1);
        WaitForSingleObject(m_info.hProcess, 5000);
    }
    CloseHandle(m_info.hThread);
    CloseHandle(m_info.hProcess);
}

HWND LaunchedProgram::WaitUntilReady(DWORD timeoutMs) const {
    if (!Started()) return nullptr;
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    if (WaitForInputIdle(m_info.hProcess, timeoutMs) != 0) return nullptr;
    // Going idle once is all WaitForInputIdle reports; a program may pump messages
    // before its window appears, so the window and its painting are checked as well.
    for (DWORD left; (left = MillisecondsLeft(deadline)) > 0;) {
        if (WaitForSingleObject(m_info.hProcess, 0) != WAIT_TIMEOUT) return nullptr;
        HWND window = VisibleTopLevelWindowOf(m_info.dwProcessId);
        DWORD_PTR answer = 0;
        if (window && SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, left, &answer) &&
            NothingLeftToPaint(window)) {
            return window;
        }
        Sleep(1);
    }
    return nullptr;
}

bool LaunchedProgram::Close(HWND window, DWORD timeoutMs) const {
    if (!Started()) return false;
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    return WaitForExit(timeoutMs);
}

bool LaunchedProgram::Running() const {
    return Started() && WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
}

bool LaunchedProgram::WaitForExit(DWORD timeoutMs) const {
    return Started() && WaitForSingleObject(m_info.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

DWORD LaunchedProgram::ExitCode() const {
    DWORD code = 0;
    if (Started()) GetExitCodeProcess(m_info.hProcess, &code);
    return code;
}
