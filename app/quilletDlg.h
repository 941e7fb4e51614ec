// The main window: a captionless skinned dialog with the tool list that opens the fee
// calculator; and the About box.
#pragma once

#include "classlib/Controls.h"
#include "classlib/DataExchange.h"
#include "classlib/Dialog.h"
#include "classlib/ListCtrl.h"

// System-menu command of the About entry; low four bits clear, below 0xF000.
constexpr UINT IDM_SHOW_ABOUT = 0x0010;

class CAboutDlg : public CDialog {
public:
    CAboutDlg();
};

class CQuilletDlg : public CDialog {
public:
    explicit CQuilletDlg(CWnd* parent = nullptr);
    ~CQuilletDlg() override = default;

    CListCtrl m_toolList;
    CImageList m_toolImages;
    HICON m_appIcon;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    void OnSysCommand(UINT id, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnDblclkToolList(NMHDR* notification, LRESULT* result);
    DECLARE_MESSAGE_MAP()

private:
    void AddAboutEntry();
    void FillToolList();
};
