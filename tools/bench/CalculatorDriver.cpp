#include "tools/bench/CalculatorDriver.h"

#include <cwchar>
#include <utility>

#include "res/resource.h"
#include "tools/bench/Samples.h"

CalculatorDriver::CalculatorDriver(HWND dialog, const wchar_t* amount, std::wstring expectedFee)
    : m_dialog(dialog),
      m_calcButton(GetDlgItem(dialog, IDOK)),
      m_feeEdit(GetDlgItem(dialog, IDC_FEE)),
      m_expectedFee(std::move(expectedFee)) {
    SetWindowTextW(GetDlgItem(dialog, IDC_AMOUNT), amount);
}

void CalculatorDriver::Repaint() const {
    RedrawWindow(m_dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void CalculatorDriver::ReadFee() {
    wchar_t text[32] = {};
    GetWindowTextW(m_feeEdit, text, 32);
    if (m_expectedFee != text) ++m_wrongReads;
}

// The button's click as the dialog receives it; sent, so it has been handled when
// SendMessage returns.
double CalculatorDriver::TimePresses(int count, bool repaint) {
    const WPARAM click = MAKEWPARAM(IDOK, BN_CLICKED);
    const auto start = bench::Clock::now();
    for (int i = 0; i < count; ++i) {
        SendMessageW(m_dialog, WM_COMMAND, click, reinterpret_cast<LPARAM>(m_calcButton));
        if (repaint) Repaint();
        ReadFee();
    }
    return bench::SecondsSince(start) / count;
}

// The same text written to the same edit and read back: the window-system share of a
// press, without the data exchange and the engine.
double CalculatorDriver::TimeRoundTrips(int count, bool repaint) {
    const auto start = bench::Clock::now();
    for (int i = 0; i < count; ++i) {
        SetWindowTextW(m_feeEdit, m_expectedFee.c_str());
        if (repaint) Repaint();
        ReadFee();
    }
    return bench::SecondsSince(start) / count;
}
