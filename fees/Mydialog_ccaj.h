// The litigation-fee calculator: pick a kind of court matter, read its rule, type the
// amount in dispute and press 计算 to see the fee. Calculating keeps the dialog open.
#pragma once

#include <cstdint>

#include "classlib/Controls.h"
#include "classlib/DataExchange.h"
#include "classlib/Dialog.h"
#include "fees/FeeSchedule.h"

class CMydialog_ccaj : public CDialog {
public:
    explicit CMydialog_ccaj(CWnd* parent = nullptr);
    ~CMydialog_ccaj() override = default;

    CButton m_calcButton;
    CStatic m_noteLabel;
    CListBox m_kindList;
    int32_t m_amount;
    int32_t m_fee;
    CaseKind m_kind;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    void OnPaint();
    void OnSelchangeKind();
    DECLARE_MESSAGE_MAP()
};
