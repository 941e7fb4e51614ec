// A help viewer of the tests' own: only its cursor resource matters, copied into the
// Windows directory where links look for the system's viewer.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return 0;
}
