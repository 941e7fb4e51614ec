#include "app/quilletDlg.h"

#include "app/ServiceHost.h"
#include "classlib/App.h"
#include "classlib/Dc.h"
#include "fees/Mydialog_ccaj.h"
#include "res/resource.h"

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

CQuilletDlg::CQuilletDlg(CWnd* parent)
    : CDialog(IDD_QUILLET_DIALOG, parent), m_appIcon(AfxGetApp()->LoadIcon(IDR_MAINFRAME)) {
    // The skin keeps its pixels at any DPI.
    KeepLayoutOf96Dpi();
}

BEGIN_MESSAGE_MAP(CQuilletDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_BN_CLICKED(IDC_CLOSE_BUTTON, OnCloseButton)
    ON_BN_CLICKED(IDC_MINIMIZE_BUTTON, OnMinimizeButton)
    ON_WM_QUERYDRAGICON()
    ON_NOTIFY(NM_DBLCLK, IDC_TOOL_LIST, OnDblclkToolList)
END_MESSAGE_MAP()

void CQuilletDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_LINK_CENTRE, m_linkCentre);
    DDX_Control(dx, IDC_LINK_FREE_ADVICE, m_linkFreeAdvice);
    DDX_Control(dx, IDC_LINK_BOOKING, m_linkBooking);
    DDX_Control(dx, IDC_LINK_LITIGATOR, m_linkLitigator);
    DDX_Control(dx, IDC_LINK_PRIVATE_COUNSEL, m_linkPrivateCounsel);
    DDX_Control(dx, IDC_LINK_COMPANY_COUNSEL, m_linkCompanyCounsel);
    DDX_Control(dx, IDC_TOOL_LIST, m_toolList);
}

BOOL CQuilletDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    AddAboutEntry();
    SetIcon(m_appIcon, true);
    SetIcon(m_appIcon, false);
    // The title shows only where the system shows titles (the taskbar): no caption.
    CWnd* main = AfxGetMainWnd();
    (main ? main : this)->SetWindowText("VantorelV1.0");
    SetLinkTargets();
    FillToolList();
    CreateCaptionButtons();
    return TRUE;
}

void CQuilletDlg::SetLinkTargets() {
    const CString site = CString("http://") + SERVICE_HOST;
    m_linkCentre.SetTarget(site);
    m_linkFreeAdvice.SetTarget(site + "/quest.php");
    m_linkBooking.SetTarget(site + "/showNote.php?id=581");
    m_linkLitigator.SetTarget(site + "/showNote.php?id=580");
    m_linkPrivateCounsel.SetTarget(site + "/showNote.php?id=579");
    m_linkCompanyCounsel.SetTarget(site + "/showNote.php?id=578");
}

void CQuilletDlg::AddAboutEntry() {
    HMENU systemMenu = GetSystemMenu(false);
    CString about;
    if (!systemMenu || !about.LoadString(IDS_ABOUTBOX)) return;
    AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(systemMenu, MF_STRING, IDM_SHOW_ABOUT, about.Wide().c_str());
}

void CQuilletDlg::FillToolList() {
    // The calculator icon has no black pixel, so the black mask leaves it opaque.
    m_toolImages.Create(IDB_TOOL_ICON, 32, 0, RGB(0, 0, 0));
    m_toolList.SetBkColor(RGB(231, 231, 247));
    m_toolList.SetTextBkColor(RGB(231, 231, 247));
    m_toolList.SetTextColor(RGB(0, 0, 0));
    m_toolList.InsertItem(LVIF_TEXT | LVIF_IMAGE, 1, 0, "诉讼费计算", 0);
    // The image list is the window's: the list view must not destroy it as well.
    m_toolList.ModifyStyle(0, LVS_SHAREIMAGELISTS);
    m_toolList.SetImageList(&m_toolImages, LVSIL_NORMAL);
}

void CQuilletDlg::CreateCaptionButtons() {
    CreateCaptionButton(m_closeButton, "×", CPoint(440, 5), IDC_CLOSE_BUTTON);
    CreateCaptionButton(m_minimizeButton, "―", CPoint(420, 5), IDC_MINIMIZE_BUTTON);
}

bool MakeCaptionButtonShape(CWnd* window, CRgn& shape) {
    LOGFONTW description{};
    CFontHandle(window->GetFont()).GetLogFont(&description);
    description.lfHeight = -24;
    description.lfWeight = 82;
    CFont glyphFont;
    glyphFont.CreateFontIndirect(&description);
    CClientDC windowDc(window);
    CDC memory;
    memory.CreateCompatibleDC(windowDc);
    CSelection selected(memory, glyphFont);
    memory.SetBkMode(TRANSPARENT);
    memory.BeginPath();
    memory.TextOut(0, 0, "■");
    memory.EndPath();
    return shape.CreateFromPath(memory);
}

void CQuilletDlg::CreateCaptionButton(CUniButton& button, const char* caption, CPoint origin,
                                      UINT id) {
    CRgn shape;
    MakeCaptionButtonShape(this, shape);
    button.CreateFromRegion(caption, WS_CHILD | WS_VISIBLE, origin, shape, this, id, 2,
                            RGB(206, 215, 231), RGB(0, 255, 0), RGB(255, 255, 0), RGB(0, 255, 0));
}

void CQuilletDlg::OnSysCommand(UINT id, LPARAM lParam) {
    if ((id & 0xFFF0) == IDM_SHOW_ABOUT) {
        CAboutDlg about;
        about.DoModal();
        return;
    }
    DefWindowProc(WM_SYSCOMMAND, id, lParam);
}

void CQuilletDlg::OnPaint() {
    CPaintDC dc(this);
    DrawResourceBitmap(dc, IDB_SKIN);
}

HCURSOR CQuilletDlg::OnQueryDragIcon() {
    return static_cast<HCURSOR>(m_appIcon);
}

// The close button ends the program the way Esc does.
void CQuilletDlg::OnCloseButton() {
    OnCancel();
}

void CQuilletDlg::OnMinimizeButton() {
    ShowWindow(SW_MINIMIZE);
}

void CQuilletDlg::OnDblclkToolList(NMHDR*, LRESULT* result) {
    CMydialog_ccaj calculator;
    calculator.DoModal();
    *result = 0;
}
