#include "fees/Mydialog_ccaj.h"

#include "classlib/Dc.h"
#include "res/resource.h"

CMydialog_ccaj::CMydialog_ccaj(CWnd* parent)
    : CDialog(IDD_FEE_CALCULATOR, parent), m_amount(0), m_fee(0), m_kind(KIND_PROPERTY) {
    // The background picture keeps its pixels at any DPI.
    KeepLayoutOf96Dpi();
}

BEGIN_MESSAGE_MAP(CMydialog_ccaj, CDialog)
    ON_WM_PAINT()
    ON_LBN_SELCHANGE(IDC_KIND_LIST, OnSelchangeKind)
END_MESSAGE_MAP()

void CMydialog_ccaj::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDOK, m_calcButton);
    DDX_Control(dx, IDC_NOTE, m_noteLabel);
    DDX_Control(dx, IDC_KIND_LIST, m_kindList);
    DDX_Text(dx, IDC_AMOUNT, m_amount);
    DDX_Text(dx, IDC_FEE, m_fee);
}

BOOL CMydialog_ccaj::OnInitDialog() {
    CDialog::OnInitDialog();
    m_noteLabel.SetWindowText(FEE_NOTE_HEADING);
    // Inserting at explicit positions keeps list position equal to the kind's value,
    // although the list box sorts what is merely added.
    for (int kind = 0; kind < CASE_KIND_COUNT; ++kind) {
        m_kindList.InsertString(kind, KindLabel(static_cast<CaseKind>(kind)));
    }
    m_kindList.SetCurSel(0);
    return TRUE;
}

void CMydialog_ccaj::OnSelchangeKind() {
    m_calcButton.EnableWindow(true);
    m_kind = static_cast<CaseKind>(m_kindList.GetCurSel());
    m_noteLabel.SetWindowText(KindNote(m_kind));
    if (!IsComputableKind(m_kind)) m_calcButton.EnableWindow(false);
}

void CMydialog_ccaj::OnOK() {
    // A refused text leaves the last valid amount; the edits are rewritten so that the
    // amount and the fee shown belong together.
    UpdateData(true);
    UpdateData(false);
    m_fee = ComputeFee(m_kind, m_amount);
    UpdateData(false);
}

void CMydialog_ccaj::OnPaint() {
    CPaintDC dc(this);
    DrawResourceBitmap(dc, IDB_FEE_BACKGROUND);
}
