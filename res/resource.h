// Resource and control ids of the program.
#pragma once

#define IDD_ABOUTBOX        100
#define IDS_ABOUTBOX        101
#define IDD_QUILLET_DIALOG  102
#define IDR_MAINFRAME       128
#define IDB_SKIN            129
#define IDB_TOOL_ICON       130
#define IDD_FEE_CALCULATOR  132
#define IDB_FEE_BACKGROUND  133

// Main window.
#define IDC_TOOL_LIST       1002
#define IDC_LINK_CENTRE     1003
#define IDC_LINK_FREE_ADVICE 1004
#define IDC_LINK_BOOKING    1005
#define IDC_LINK_LITIGATOR  1006
#define IDC_LINK_PRIVATE_COUNSEL 1007
#define IDC_LINK_COMPANY_COUNSEL 1008
#define IDC_CLOSE_BUTTON    1002
#define IDC_MINIMIZE_BUTTON 1003

// Fee calculator.
#define IDC_KIND_LIST       1002
#define IDC_AMOUNT          1004
#define IDC_FEE             1005
#define IDC_NOTE            1006
