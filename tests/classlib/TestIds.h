// Ids of the class-library tests' own templates.
#pragma once

#define IDD_EXCHANGE   200
#define IDD_OWNER      201
#define IDC_FIRST      201
#define IDC_SECOND     202
#define IDC_THIRD      203
#define IDC_LABEL      204
#define IDC_DRAWN      205
#define IDS_GREETING   300
