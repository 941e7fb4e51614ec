// Dialogs drawn on bitmaps at any DPI. Windows 7 at 120 DPI and more (its XP-style
// scaling), like Wine 8 at a LogPixels other than 96, tells a program the user's DPI: the
// dialog manager grows dialog units and the dialog font with it, while bitmaps and
// whatever stands at fixed pixels keep their size, so a skin no longer fits its dialog.
// Windows 8.1 and later scale a DPI-unaware program as a whole and tell it 96 DPI.
#pragma once

#include <windows.h>

#include "classlib/GdiObject.h"

// Lays a dialog made from `dialogTemplate` out as the dialog manager lays it out at 96
// DPI: its client area and each control of the template at their 96-DPI pixel
// rectangles, every control in the template font at its 96-DPI pixel height (made into
// `font`, which must outlive the controls), and list views at their 96-DPI icon spacing.
// At 96 DPI, and for a template without a font, it changes nothing and answers false.
bool LayOutAsAt96Dpi(HWND dialog, const DLGTEMPLATE* dialogTemplate, CFont& font);
