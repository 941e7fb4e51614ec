// The program's entry: module initialisation, then the library's main routine.
#include <windows.h>
#include <mbctype.h>

#include "classlib/App.h"

namespace {

// Runs before the application object is constructed (default-priority initialisers).
struct ModuleInit {
    ModuleInit() {
        // Multi-byte text of the C runtime follows the system's ANSI code page.
        _setmbcp(_MB_CP_ANSI);
#if defined(__i386__)
        // The x87 unit defaults to 64-bit significands; the fee arithmetic wants 53.
        // x86-64 computes in SSE2 doubles and its runtime rejects this call.
        _controlfp(_PC_53, _MCW_PC);
#endif
    }
};

__attribute__((init_priority(101))) ModuleInit g_moduleInit;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    return AfxWinMain(instance, previous, commandLine, show);
}
