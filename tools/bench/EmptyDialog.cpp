// The start-up benchmark's baseline: the least a Win32 program does to show a dialog
// and wait for the user, built and linked like quillet.exe.
#include <windows.h>

namespace {

// Esc and the Close box both arrive as IDCANCEL through the dialog manager.
INT_PTR CALLBACK EmptyDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return static_cast<int>(DialogBoxParamW(instance, L"EMPTY", nullptr, EmptyDialogProc, 0));
}
