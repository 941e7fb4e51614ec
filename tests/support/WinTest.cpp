#include "tests/support/WinTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "classlib/Dc.h"

namespace wintest {

void Pump(int rounds) {
    for (int i = 0; i < rounds; ++i) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                return;
            }
            if (CDialog::PreTranslateChain(&msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    }
}

namespace {

struct ActiveScript {
    ModalScript* script;
    CDialog* dialog;
    size_t next;
    int idleTicks;
    UINT_PTR timer;  // the one live timer of the chain
};
ActiveScript* g_active = nullptr;

void CALLBACK ScriptTick(HWND, UINT, UINT_PTR timer, DWORD) {
    ActiveScript* active = g_active;
    if (!active || timer != active->timer) {
        KillTimer(nullptr, timer);  // left over from an earlier run
        return;
    }
    if (!active->dialog->GetSafeHwnd()) return;
    KillTimer(nullptr, timer);
    active->timer = 0;
    if (active->next < active->script->steps.size()) {
        active->script->steps[active->next++]();
    } else if (++active->idleTicks > 40) {
        active->script->stuck = true;
        active->dialog->EndDialog(-2);
        return;
    }
    if (g_active == active) active->timer = SetTimer(nullptr, 0, 10, ScriptTick);
}

}  // namespace

INT_PTR ModalScript::Run(CDialog& dialog) {
    ActiveScript active{this, &dialog, 0, 0, 0};
    ActiveScript* outer = g_active;
    g_active = &active;
    active.timer = SetTimer(nullptr, 0, 10, ScriptTick);
    const INT_PTR result = dialog.DoModal();
    if (active.timer) KillTimer(nullptr, active.timer);
    g_active = outer;
    if (active.next < steps.size()) {
        ADD_FAILURE() << "only " << active.next << " of " << steps.size()
                      << " script steps ran: the dialog " << (result == -1 ? "never opened" : "ended early");
    }
    if (stuck) ADD_FAILURE() << "the dialog was still open after the last script step";
    return result;
}

namespace {
std::vector<DialogCloser*> g_closers;
}  // namespace

DialogCloser::DialogCloser(std::function<int(HWND)> answer)
    : m_answer(std::move(answer)), m_timer(SetTimer(nullptr, 0, 5, Tick)) {
    g_closers.push_back(this);
}

DialogCloser::~DialogCloser() {
    KillTimer(nullptr, m_timer);
    g_closers.erase(std::find(g_closers.begin(), g_closers.end(), this));
}

void CALLBACK DialogCloser::Tick(HWND, UINT, UINT_PTR timer, DWORD) {
    const auto self = std::find_if(g_closers.begin(), g_closers.end(),
                                   [timer](const DialogCloser* c) { return c->m_timer == timer; });
    if (self == g_closers.end()) return;
    const std::function<int(HWND)> answer = (*self)->m_answer;  // the closer may go in a press
    for (HWND dialog : ThreadDialogs()) {
        if (!IsWindow(dialog)) continue;  // closed by an earlier press of this round
        if (const int button = answer(dialog)) PressButton(dialog, button);
    }
}

int CloseButton(HWND dialog) {
    return GetDlgItem(dialog, IDCANCEL) ? IDCANCEL : IDOK;
}

MessageBoxCloser::MessageBoxCloser()
    : m_closer([this](HWND dialog) {
          if (!GetDlgItem(dialog, 0xFFFF)) return 0;  // not a message box
          texts.push_back(MessageBoxText(dialog));
          return IDOK;
      }) {}

namespace {

struct ClassSearch {
    const wchar_t* className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectOfClass(HWND hwnd, LPARAM data) {
    auto* search = reinterpret_cast<ClassSearch*>(data);
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    if (!search->className || wcscmp(name, search->className) == 0) search->found.push_back(hwnd);
    return TRUE;
}

}  // namespace

std::vector<HWND> ThreadWindows(const wchar_t* className, DWORD threadId) {
    ClassSearch search{className, {}};
    EnumThreadWindows(threadId, CollectOfClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> ThreadDialogs(HWND except) {
    std::vector<HWND> shown;
    for (HWND dialog : ThreadWindows(L"#32770")) {
        if (dialog != except && IsWindowVisible(dialog)) shown.push_back(dialog);
    }
    return shown;
}

std::wstring FromUtf8(const char* utf8) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &out[0], n);
    out.resize(static_cast<size_t>(n - 1));
    return out;
}

std::wstring MessageBoxText(HWND box) {
    // The message is the static with id 0xFFFF in Windows and Wine.
    HWND message = GetDlgItem(box, 0xFFFF);
    return message ? WindowTextW(message) : std::wstring();
}

void PressButton(HWND dialog, int id) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void PostKey(UINT virtualKey) {
    HWND focus = GetFocus();
    PostMessageW(focus, WM_KEYDOWN, virtualKey, 1);
    PostMessageW(focus, WM_KEYUP, virtualKey, 0xC0000001);
}

void PressKey(UINT virtualKey) {
    INPUT keys[2] = {};
    for (INPUT& key : keys) {
        key.type = INPUT_KEYBOARD;
        key.ki.wVk = static_cast<WORD>(virtualKey);
    }
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

void TypeText(HWND control, const std::wstring& text) {
    for (wchar_t c : text) SendMessageW(control, WM_CHAR, c, 1);
}

bool WaitFor(const std::function<bool()>& done) {
    const ULONGLONG deadline = GetTickCount64() + PROGRAM_WAIT_MS;
    while (!done()) {
        if (GetTickCount64() >= deadline) return false;
        Pump(1);
    }
    return true;
}

LRESULT SendToProgram(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, PROGRAM_WAIT_MS, &answer)) {
        ADD_FAILURE() << "no answer within " << PROGRAM_WAIT_MS << " ms (error " << GetLastError()
                      << ") to message 0x" << std::hex << message << " (0x" << wParam << ", 0x" << lParam
                      << ") sent to window " << window;
    }
    return static_cast<LRESULT>(answer);
}

std::string TestDirectory() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string program(path);
    return program.substr(0, program.find_last_of('\\') + 1);
}

POINT Centre(HWND window, HWND in) {
    RECT rect{};
    GetWindowRect(window, &rect);
    POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    if (in) ScreenToClient(in, &centre);
    return centre;
}

CRect WorkArea() {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

POINT WorkAreaCentre() {
    const CRect work = WorkArea();
    return POINT{(work.left + work.right) / 2, (work.top + work.bottom) / 2};
}

::testing::AssertionResult CentredOn(HWND hwnd, POINT centre) {
    const POINT own = Centre(hwnd);
    if (std::abs(own.x - centre.x) <= 2 && std::abs(own.y - centre.y) <= 2) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "centre (" << own.x << ", " << own.y << "), not ("
                                         << centre.x << ", " << centre.y << ")";
}

CRect RectInParent(HWND child) {
    CRect rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

COLORREF ClientPixel(HWND hwnd, int x, int y) {
    UpdateWindow(hwnd);
    HDC dc = GetDC(hwnd);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return colour;
}

namespace {

void SendMouse(DWORD flags, POINT screen) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((screen.x * 65535 + width / 2) / (width - 1));
    input.mi.dy = static_cast<LONG>((screen.y * 65535 + height / 2) / (height - 1));
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(input));
}

POINT ToScreen(HWND hwnd, POINT client) {
    ClientToScreen(hwnd, &client);
    return client;
}

}  // namespace

void MoveMouseTo(HWND hwnd, POINT client) {
    SendMouse(MOUSEEVENTF_MOVE, ToScreen(hwnd, client));
    Pump();
}

void ClickAt(HWND hwnd, POINT client, bool doubleClick) {
    const POINT screen = ToScreen(hwnd, client);
    SendMouse(MOUSEEVENTF_MOVE, screen);
    Pump(1);
    for (int i = 0; i < (doubleClick ? 2 : 1); ++i) {
        SendMouse(MOUSEEVENTF_LEFTDOWN, screen);
        SendMouse(MOUSEEVENTF_LEFTUP, screen);
    }
    Pump();
}


// Copied in one read and then read pixel by pixel: a window of another program is read
// from the X server, one request a pixel.
std::vector<COLORREF> ClientPixels(HWND hwnd, const RECT& area) {
    UpdateWindow(hwnd);
    const LONG width = area.right - area.left;
    const LONG height = area.bottom - area.top;
    CDC copy;
    CBitmap bitmap;
    HDC dc = GetDC(hwnd);
    copy.CreateCompatibleDC(dc);
    bitmap.CreateCompatibleBitmap(dc, width, height);
    CSelection selected(copy, bitmap);
    copy.BitBlt(0, 0, width, height, dc, area.left, area.top, SRCCOPY);
    ReleaseDC(hwnd, dc);
    std::vector<COLORREF> colours;
    for (LONG y = 0; y < height; ++y) {
        for (LONG x = 0; x < width; ++x) colours.push_back(copy.GetPixel(x, y));
    }
    return colours;
}

void LeftButtonAt(HWND hwnd, POINT client, bool down) {
    const POINT screen = ToScreen(hwnd, client);
    SendMouse(MOUSEEVENTF_MOVE, screen);
    Pump(1);
    SendMouse(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP, screen);
    Pump();
}

namespace {

enum class XButton { STAY, PRESS, RELEASE };

// Wine starts the Unix program without a handle to wait on: the pointer and the
// button state show when the program has taken the input in.
bool XPointer(POINT screen, XButton button) {
    const char* const actions[] = {"", " mousedown 1", " mouseup 1"};
    const std::string command = "/usr/bin/xdotool mousemove " + std::to_string(screen.x) + " " +
                                std::to_string(screen.y) + actions[static_cast<int>(button)];
    if (WinExec(command.c_str(), SW_HIDE) <= 31) return false;
    const auto arrived = [&] {
        POINT now{};
        const bool down = GetAsyncKeyState(VK_LBUTTON) < 0;
        return GetCursorPos(&now) && now.x == screen.x && now.y == screen.y &&
               (button == XButton::STAY || down == (button == XButton::PRESS));
    };
    for (int i = 0; i < 200 && !arrived(); ++i) Pump(1);
    Pump();
    return arrived();
}

}  // namespace

bool XPointerAt(HWND hwnd, POINT client) {
    return XPointer(ToScreen(hwnd, client), XButton::STAY);
}

XButtonHeld::XButtonHeld(HWND hwnd, POINT client)
    : m_pressed(XPointer(ToScreen(hwnd, client), XButton::PRESS)) {}

XButtonHeld::~XButtonHeld() {
    POINT now{};
    if (!m_released && GetCursorPos(&now)) XPointer(now, XButton::RELEASE);
}

bool XButtonHeld::ReleaseAt(HWND hwnd, POINT client) {
    m_released = XPointer(ToScreen(hwnd, client), XButton::RELEASE);
    return m_released;
}

bool JumpPointerOffProgram() {
    const POINT corner{GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1};
    const bool arrived = XPointer(corner, XButton::STAY);
    Pump(160);  // the system's leave check runs every hover time (400 ms)
    DWORD owner = 0;
    GetWindowThreadProcessId(WindowFromPoint(corner), &owner);
    return arrived && owner != GetCurrentProcessId();
}

}  // namespace wintest
