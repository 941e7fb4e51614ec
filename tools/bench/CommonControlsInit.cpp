// Linked into the second start-up baseline (controls_dialog): before its empty dialog
// shows, the program initialises the common controls as quillet.exe does.
#include <windows.h>
#include <commctrl.h>

namespace {

struct CommonControlsInit {
    CommonControlsInit() {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
    }
};

CommonControlsInit g_commonControlsInit;

}  // namespace
