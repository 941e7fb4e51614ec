// Tooltips as Windows gives them to a program without a manifest (common controls 5.82),
// which refuses TTM_ADDTOOLW when the size field exceeds the structure's second version.
// Wine's tooltip accepts the later size too, so window tests create their tooltips from
// a class of their own that applies Windows' rule and hands all else to the real control.
#pragma once

// Registers that class for this program's instance, in front of the system's.
bool UseClassicToolTips();
