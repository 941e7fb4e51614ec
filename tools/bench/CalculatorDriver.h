// Times the calculator from inside its modal run: 计算 pressed and the fee read back,
// against round trips to the same fee edit that calculate nothing.
#pragma once

#include <windows.h>

#include <string>

class CalculatorDriver {
public:
    // The dialog must be open; the amount is typed once and stays for every press.
    CalculatorDriver(HWND dialog, const wchar_t* amount, std::wstring expectedFee);

    // Seconds per operation over `count` operations. With `repaint`, each operation
    // also waits for the dialog and its controls to be painted, so the fee is on the
    // screen and not only in the edit.
    double TimePresses(int count, bool repaint);
    double TimeRoundTrips(int count, bool repaint);

    // Reads that did not show the expected fee, over all batches.
    int WrongReads() const { return m_wrongReads; }

private:
    void Repaint() const;
    void ReadFee();

    HWND m_dialog;
    HWND m_calcButton;
    HWND m_feeEdit;
    std::wstring m_expectedFee;
    int m_wrongReads = 0;
};
