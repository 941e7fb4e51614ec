// A Windows program started as its own process, for the tests that drive the real
// program and for the start-up benchmark.
#pragma once

#include <windows.h>

#include <string>

// Wine maps the Unix root to drive Z:; a path that already names a drive is kept.
std::wstring WindowsPath(const char* path);

class LaunchedProgram {
public:
    // Starts the program at once; Started() tells whether CreateProcess succeeded.
    // `arguments` follow the quoted path as they are, so they start with a space.
    explicit LaunchedProgram(const std::wstring& path, const std::wstring& arguments = L"");
    // A process still running here belongs to a failed run: it is ended so that the
    // next start does not compete with it.
    ~LaunchedProgram();
    LaunchedProgram(const LaunchedProgram&) = delete;
    LaunchedProgram& operator=(const LaunchedProgram&) = delete;

    bool Started() const { return m_info.hProcess != nullptr; }
    DWORD ThreadId() const { return m_info.dwThreadId; }

    // Blocks until the process shows a top-level window, has gone idle, answers a sent
    // message and has nothing left to paint: what a user sees as "ready". Answers that
    // window, or null when the time runs out or the process ends first.
    HWND WaitUntilReady(DWORD timeoutMs) const;

    // Sends the window the Close command a user gives it and waits for the process to
    // end; false when it is still running after the time.
    bool Close(HWND window, DWORD timeoutMs) const;

    bool Running() const;
    // False when the process is still running after the time.
    bool WaitForExit(DWORD timeoutMs) const;
    DWORD ExitCode() const;

private:
    PROCESS_INFORMATION m_info{};
};
