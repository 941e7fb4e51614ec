// Test entry for window tests: an application object and the common controls, with
// tooltips that refuse what Windows refuses.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "classlib/App.h"
#include "tests/support/ClassicToolTips.h"

namespace {
CWinApp g_testApp("quillet-tests");
}

int main(int argc, char** argv) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    if (!UseClassicToolTips()) return 1;
    g_testApp.m_hInstance = GetModuleHandleW(nullptr);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
