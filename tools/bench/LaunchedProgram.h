// A Windows program started as its own process for the start-up benchmark.
#pragma once

#include <windows.h>

#include <string>

class LaunchedProgram {
public:
    // Starts the program at once; Started() tells whether CreateProcess succeeded.
    explicit LaunchedProgram(const std::wstring& path);
    // A process still running here belongs to a failed measurement: it is ended so
    // that the next start does not compete with it.
    ~LaunchedProgram();
    LaunchedProgram(const LaunchedProgram&) = delete;
    LaunchedProgram& operator=(const LaunchedProgram&) = delete;

    bool Started() const { return m_info.hProcess != nullptr; }

    // Blocks until the process shows a top-level window, has gone idle, answers a sent
    // message and has nothing left to paint: what a user sees as "ready". Answers that
    // window, or null when the time runs out or the process ends first.
    HWND WaitUntilReady(DWORD timeoutMs) const;

    // Sends the window the Close command a user gives it and waits for the process to
    // end; false when it is still running after the time.
    bool Close(HWND window, DWORD timeoutMs) const;

private:
    PROCESS_INFORMATION m_info{};
};
