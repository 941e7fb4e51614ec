// Test entry for window tests: an application object and the common controls.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "classlib/App.h"

namespace {
CWinApp g_testApp("quillet-tests");
}

int main(int argc, char** argv) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    g_testApp.m_hInstance = GetModuleHandleW(nullptr);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
