// Ids of the hyperlink tests' own dialog template.
#pragma once

#define IDD_LINKS        300
#define IDC_TEXT_LINK    301
#define IDC_EMPTY_LINK   302
#define IDC_CENTER_LINK  303
#define IDC_RIGHT_LINK   304
#define IDC_MIDDLE_LINK  305
#define IDC_BORDER_LINK  306
#define IDC_OTHER        307
