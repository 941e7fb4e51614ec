// The main window: a captionless skinned dialog with the tool list that opens the fee
// calculator; and the About box.
#pragma once

#include "classlib/Controls.h"
#include "classlib/DataExchange.h"
#include "classlib/Dialog.h"
#include "classlib/GdiObject.h"
#include "classlib/ListCtrl.h"
#include "controls/HyperLink.h"
#include "controls/UniButton.h"

// System-menu command of the About entry; low four bits clear, below 0xF000.
constexpr UINT IDM_SHOW_ABOUT = 0x0010;

// The shape of the caption buttons: the outline of the glyph ■ in a 24-pixel copy of the
// window's font (weight 82), the glyph drawn at (0, 0).
bool MakeCaptionButtonShape(CWnd* window, CRgn& shape);

class CAboutDlg : public CDialog {
public:
    CAboutDlg();
};

class CQuilletDlg : public CDialog {
public:
    explicit CQuilletDlg(CWnd* parent = nullptr);
    ~CQuilletDlg() override = default;

    CHyperLink m_linkCentre;
    CHyperLink m_linkFreeAdvice;
    CHyperLink m_linkBooking;
    CHyperLink m_linkLitigator;
    CHyperLink m_linkPrivateCounsel;
    CHyperLink m_linkCompanyCounsel;
    CListCtrl m_toolList;
    CImageList m_toolImages;
    HICON m_appIcon;
    CUniButton m_closeButton;
    CUniButton m_minimizeButton;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    void OnSysCommand(UINT id, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnDblclkToolList(NMHDR* notification, LRESULT* result);
    void OnCloseButton();
    void OnMinimizeButton();
    DECLARE_MESSAGE_MAP()

private:
    void AddAboutEntry();
    void SetLinkTargets();
    void FillToolList();
    void CreateCaptionButtons();
    void CreateCaptionButton(CUniButton& button, const char* caption, CPoint origin, UINT id);
};
