// Linked into bench-only copies of a program (quillet_timed, controls_dialog_timed):
// records when its start-up reaches each phase and, at exit, appends one line per phase
// to the file named by QUILLET_PHASES_LOG, in milliseconds since the process was
// created. Hooks on the program's own thread see the phases without any change to the
// program: window creations, the dialog's initialisation, the messages its loop takes,
// and the WM_NULL that startup_bench sends once the program looks ready.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Event {
    double ms;
    std::string what;
};

class PhaseTimer {
public:
    PhaseTimer() {
        FILETIME creation{}, unused{};
        GetProcessTimes(GetCurrentProcess(), &creation, &unused, &unused, &unused);
        m_created = Ticks(creation);
        Record("static initialisation");
        const DWORD thread = GetCurrentThreadId();
        m_hooks[0] = SetWindowsHookExW(WH_CBT, OnCbt, nullptr, thread);
        m_hooks[1] = SetWindowsHookExW(WH_CALLWNDPROC, OnSent, nullptr, thread);
        m_hooks[2] = SetWindowsHookExW(WH_CALLWNDPROCRET, OnSentReturned, nullptr, thread);
        m_hooks[3] = SetWindowsHookExW(WH_GETMESSAGE, OnTaken, nullptr, thread);
    }

    ~PhaseTimer() {
        for (HHOOK hook : m_hooks) UnhookWindowsHookEx(hook);
        const char* path = std::getenv("QUILLET_PHASES_LOG");
        FILE* log = path ? std::fopen(path, "a") : nullptr;
        if (!log) return;
        char program[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, program, MAX_PATH);
        std::fprintf(log, "program %s\n", program);
        for (const Event& e : m_events) std::fprintf(log, "%.2f %s\n", e.ms, e.what.c_str());
        std::fprintf(log, "%.2f ready (the last WM_NULL)\n", m_lastNull);
        std::fprintf(log, "end\n");
        std::fclose(log);
    }

    void Record(std::string what) { m_events.push_back(Event{Now(), std::move(what)}); }
    void RecordOnce(bool& done, const char* what) {
        if (done) return;
        done = true;
        Record(what);
    }

    // Each hook only looks: it passes everything on unchanged.
    static LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK OnSent(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK OnSentReturned(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK OnTaken(int code, WPARAM wParam, LPARAM lParam);

    // QUILLET_PHASES_DETAIL: every message sent or taken until the first WM_NULL, too.
    const bool m_detail = std::getenv("QUILLET_PHASES_DETAIL") != nullptr;
    bool m_initDone = false;
    bool m_painted = false;
    bool m_paintDone = false;
    bool m_loopStarted = false;
    double m_lastNull = 0;

    double Now() const {
        FILETIME now{};
        GetSystemTimePreciseAsFileTime(&now);
        return static_cast<double>(Ticks(now) - m_created) / 1e4;
    }

private:
    static ULONGLONG Ticks(const FILETIME& t) {
        return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    }

    ULONGLONG m_created = 0;
    HHOOK m_hooks[4] = {};
    std::vector<Event> m_events;
};

PhaseTimer g_timer;

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

LRESULT CALLBACK PhaseTimer::OnCbt(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) g_timer.Record("create " + ClassOf(reinterpret_cast<HWND>(wParam)));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK PhaseTimer::OnSent(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (message->message == WM_INITDIALOG) g_timer.Record("WM_INITDIALOG begins");
    if (g_timer.m_detail && !g_timer.m_lastNull) {
        g_timer.Record("sent " + std::to_string(message->message) + " to " + ClassOf(message->hwnd));
    }
    if (message->message == WM_NULL) g_timer.m_lastNull = g_timer.Now();
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK PhaseTimer::OnSentReturned(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (message->message == WM_INITDIALOG) g_timer.RecordOnce(g_timer.m_initDone, "WM_INITDIALOG ends");
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK PhaseTimer::OnTaken(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (g_timer.m_detail && !g_timer.m_lastNull) {
        g_timer.Record("took " + std::to_string(message->message) + " for " + ClassOf(message->hwnd));
    }
    if (g_timer.m_initDone) {
        g_timer.RecordOnce(g_timer.m_loopStarted, "first message taken");
        if (g_timer.m_painted) g_timer.RecordOnce(g_timer.m_paintDone, "the message after it taken");
        if (message->message == WM_PAINT && !GetParent(message->hwnd)) {
            g_timer.RecordOnce(g_timer.m_painted, "first WM_PAINT of the dialog taken");
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace
