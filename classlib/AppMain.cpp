// The program's entry: module initialisation, then the library's main routine.
#include <windows.h>
#include <float.h>
#include <mbctype.h>

#include "classlib/App.h"

namespace {

// Runs before the application object is constructed (default-priority initialisers).
struct ModuleInit {
    ModuleInit() {
        // Multi-byte text of the C runtime follows the system's ANSI code page.
        _setmbcp(_MB_CP_ANSI);
#if defined(__i386__)
        // The program has always started with the x87 unit at 53-bit precision instead
        // of its default 64, and keeps doing so for whatever floating point the runtime
        // libraries and the system's DLLs do in this process. Its own code has none: the
        // fee engine computes in integers. x86-64's runtime rejects this call.
        _controlfp(_PC_53, _MCW_PC);
#endif
    }
};

__attribute__((init_priority(101))) ModuleInit g_moduleInit;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    return AfxWinMain(instance, previous, commandLine, show);
}
