// The fee calculator on its real template, driven from inside its modal run.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "classlib/App.h"
#include "fees/FeeSchedule.h"
#include "fees/Mydialog_ccaj.h"
#include "res/resource.h"
#include "tests/support/DialogTemplate.h"
#include "tests/support/WinTest.h"

namespace {

using wintest::WindowTextW;
using wintest::FromUtf8;

// What a user does and sees, in terms of the dialog's own controls.
struct Calculator {
    CMydialog_ccaj dialog;
    HWND Item(int id) const { return dialog.GetDlgItem(id); }
    std::wstring Amount() const { return WindowTextW(Item(IDC_AMOUNT)); }
    std::wstring Fee() const { return WindowTextW(Item(IDC_FEE)); }
    std::wstring Note() const { return WindowTextW(Item(IDC_NOTE)); }
    bool CalcEnabled() const { return IsWindowEnabled(Item(IDOK)) != FALSE; }

    void TypeAmount(const wchar_t* text) {
        HWND edit = Item(IDC_AMOUNT);
        SetFocus(edit);
        SendMessageW(edit, EM_SETSEL, 0, -1);
        wintest::TypeText(edit, text);
    }
    // Selecting as the list box reports a user's choice.
    void Choose(int kind) {
        HWND list = Item(IDC_KIND_LIST);
        SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(kind), 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_KIND_LIST, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
    }
    void PressCalc() { wintest::PressButton(dialog, IDOK); }
};

// Adds steps that press the keys in turn, each read back by `look` in the next step, once
// the dialog has handled it.
void AddKeySteps(wintest::ModalScript& script, const std::vector<UINT>& keys,
                 const std::function<void()>& look) {
    for (size_t i = 0; i <= keys.size(); ++i) {
        script.steps.push_back([=] {
            if (i > 0) look();
            if (i < keys.size()) wintest::PressKey(keys[i]);
        });
    }
}

TEST(Calculator, OpensWithPropertySelectedTheHeadingAndZeros) {
    Calculator c;
    std::vector<std::wstring> labels;
    int selected = -2;
    bool calcFocused = false;
    wintest::ModalScript script;
    script.steps = {[&] {
        HWND list = c.Item(IDC_KIND_LIST);
        const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            wchar_t text[64] = {};
            SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            labels.push_back(text);
        }
        selected = static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0));
        calcFocused = GetFocus() == c.Item(IDOK);
        EXPECT_EQ(c.Note(), FromUtf8(u8"各类项目法院受理费用说明"));
        EXPECT_EQ(c.Amount(), L"0");
        EXPECT_EQ(c.Fee(), L"0");
        EXPECT_TRUE(c.CalcEnabled());
        c.dialog.EndDialog(IDCANCEL);
    }};
    script.Run(c.dialog);
    // The engine's order, although the template gives the list box the sort style.
    ASSERT_EQ(labels.size(), 16u);
    const char* expected[] = {u8"财产案件", u8"离婚案件", u8"侵害人身权案件", u8"其他非财产案件",
                              u8"劳动争议案件", u8"知识产权纠纷案件", u8"破产案件",
                              u8"商标、专利、海事行政案件", u8"其他行政案件", u8"管辖权异议",
                              u8"案件执行费", u8"保全费", u8"申请支付令", u8"申请公示催告",
                              u8"申请撤销仲裁裁决", u8"认定仲裁协议效力"};
    for (int i = 0; i < 16; ++i) EXPECT_EQ(labels[i], FromUtf8(expected[i])) << i;
    EXPECT_EQ(selected, 0);
    EXPECT_TRUE(calcFocused);
    EXPECT_EQ(c.dialog.m_kind, KIND_PROPERTY);
}

TEST(Calculator, CalculatingAtOnceGivesThePropertyFeeOfZero) {
    Calculator c;
    std::wstring fee;
    bool stillOpen = false;
    wintest::ModalScript script;
    script.steps = {[&] { c.PressCalc(); },
                    [&] {
                        fee = c.Fee();
                        stillOpen = !c.dialog.IsEnded();
                        c.dialog.EndDialog(IDCANCEL);
                    }};
    script.Run(c.dialog);
    EXPECT_EQ(fee, L"50");
    EXPECT_TRUE(stillOpen) << "calculating keeps the dialog open";
}

TEST(Calculator, TheSameAmountUnderTwoKinds) {
    Calculator c;
    std::wstring property, preservation, note;
    wintest::ModalScript script;
    script.steps = {[&] {
                        c.TypeAmount(L"12345");
                        c.PressCalc();
                        property = c.Fee();
                        c.Choose(KIND_PRESERVATION);
                        note = c.Note();
                        c.PressCalc();
                        preservation = c.Fee();
                    },
                    [&] { c.dialog.EndDialog(IDCANCEL); }};
    script.Run(c.dialog);
    EXPECT_EQ(property, L"108");
    EXPECT_EQ(preservation, L"143");
    EXPECT_EQ(note, FromUtf8(u8"说明：不涉及财产数额：每件30元;"));
}

TEST(Calculator, KindsWithoutAScheduleDisableCalculating) {
    Calculator c;
    wintest::ModalScript script;
    script.steps = {[&] {
        c.Choose(KIND_LABOUR_DISPUTE);
        EXPECT_EQ(c.Note(), FromUtf8(u8"说明：每件10元;"));
        EXPECT_FALSE(c.CalcEnabled());
        c.Choose(KIND_INTELLECTUAL_PROPERTY);
        EXPECT_EQ(c.Note(), FromUtf8(u8"说明：每件500-1000元，有争议金额的按财产案件标准;"));
        EXPECT_FALSE(c.CalcEnabled());
        c.Choose(KIND_DIVORCE);
        EXPECT_TRUE(c.CalcEnabled());
        // Every kind: enabled exactly for the five with a schedule.
        for (int kind = 0; kind < CASE_KIND_COUNT; ++kind) {
            c.Choose(kind);
            const bool computable = kind == 0 || kind == 1 || kind == 2 || kind == 10 || kind == 11;
            EXPECT_EQ(c.CalcEnabled(), computable) << kind;
        }
        c.dialog.EndDialog(IDCANCEL);
    }};
    script.Run(c.dialog);
}

TEST(Calculator, ChangingTheKindKeepsTheShownFeeUntilTheNextCalculation) {
    Calculator c;
    wintest::ModalScript script;
    script.steps = {[&] {
        c.TypeAmount(L"1000000");
        c.PressCalc();
        EXPECT_EQ(c.Fee(), L"13800");
        c.Choose(KIND_DIVORCE);
        EXPECT_EQ(c.Fee(), L"13800");
        EXPECT_EQ(c.Amount(), L"1000000");
        c.PressCalc();
        EXPECT_EQ(c.Fee(), L"4100");
        c.dialog.EndDialog(IDCANCEL);
    }};
    script.Run(c.dialog);
}

TEST(Calculator, LettersAreReportedAndThePreviousAmountComesBackWithItsFee) {
    Calculator c;
    wintest::MessageBoxCloser closer;
    wintest::ModalScript script;
    script.steps = {[&] {
                        c.TypeAmount(L"200001");
                        c.PressCalc();
                        c.TypeAmount(L"abc");
                        c.PressCalc();
                    },
                    [&] {
                        EXPECT_EQ(c.Amount(), L"200001");
                        EXPECT_EQ(c.Fee(), L"4300");
                        c.dialog.EndDialog(IDCANCEL);
                    }};
    script.Run(c.dialog);
    ASSERT_EQ(closer.texts.size(), 1u);
    EXPECT_NE(closer.texts[0].find(L"整数"), std::wstring::npos);
}

TEST(Calculator, AmountsAreReadLeniantlyAndShownPlain) {
    Calculator c;
    wintest::ModalScript script;
    script.steps = {[&] {
        c.TypeAmount(L" 007");
        c.PressCalc();
        EXPECT_EQ(c.Amount(), L"7");
        c.TypeAmount(L"-5");
        c.PressCalc();
        EXPECT_EQ(c.Amount(), L"-5");
        EXPECT_EQ(c.Fee(), L"50") << "a negative amount gives the lowest fee";
        c.TypeAmount(L"\xFF11\xFF12\xFF13\xFF14\xFF15");  // full-width digits
        c.PressCalc();
        EXPECT_EQ(c.Amount(), L"12345");
        EXPECT_EQ(c.Fee(), L"108");
        c.TypeAmount(L"2147483647");
        c.PressCalc();
        EXPECT_EQ(c.Fee(), L"10779218");
        c.dialog.EndDialog(IDCANCEL);
    }};
    script.Run(c.dialog);
}

TEST(Calculator, AnAmountBeyondTheRangeIsRefusedNotWrapped) {
    Calculator c;
    wintest::MessageBoxCloser closer;
    wintest::ModalScript script;
    script.steps = {[&] {
                        c.TypeAmount(L"99999");
                        c.PressCalc();
                        c.TypeAmount(L"2147483648");
                        c.PressCalc();
                    },
                    [&] {
                        EXPECT_EQ(c.Amount(), L"99999");
                        EXPECT_EQ(c.Fee(), L"2299");
                        c.dialog.EndDialog(IDCANCEL);
                    }};
    script.Run(c.dialog);
    EXPECT_EQ(closer.texts.size(), 1u);
}

TEST(Calculator, AFeeEditWithLettersIsReportedAndTheFeeStillComputed) {
    Calculator c;
    wintest::MessageBoxCloser closer;
    wintest::ModalScript script;
    script.steps = {[&] {
                        c.TypeAmount(L"50000");
                        SetWindowTextW(c.Item(IDC_FEE), L"很多");
                        c.PressCalc();
                    },
                    [&] {
                        EXPECT_EQ(c.Amount(), L"50000");
                        EXPECT_EQ(c.Fee(), L"1050");
                        c.dialog.EndDialog(IDCANCEL);
                    }};
    script.Run(c.dialog);
    EXPECT_EQ(closer.texts.size(), 1u);
}

TEST(Calculator, EnterInTheAmountTheListOrTheFeeCalculatesAndStaysOpenEscAndCancelEnd) {
    Calculator c;
    const std::pair<int, const wchar_t*> presses[] = {
        {IDC_AMOUNT, L"12345"}, {IDC_KIND_LIST, L"1000000"}, {IDC_FEE, L"200001"}};
    std::vector<std::wstring> fees;
    wintest::ModalScript script;
    for (const auto& press : presses) {
        script.steps.push_back([&c, press] {
            SetWindowTextW(c.Item(IDC_AMOUNT), press.second);
            SetFocus(c.Item(press.first));
            wintest::PressKey(VK_RETURN);
        });
        script.steps.push_back([&] {
            fees.push_back(c.Fee());
            EXPECT_FALSE(c.dialog.IsEnded());
        });
    }
    script.steps.push_back([&] {
        SetFocus(c.Item(IDC_KIND_LIST));
        wintest::PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(script.Run(c.dialog), IDCANCEL);
    EXPECT_EQ(fees, (std::vector<std::wstring>{L"108", L"13800", L"4300"}));

    Calculator again;
    wintest::ModalScript cancel;
    cancel.steps = {[&] { wintest::PressButton(again.dialog, IDCANCEL); }};
    EXPECT_EQ(cancel.Run(again.dialog), IDCANCEL);
}

TEST(Calculator, EnterWhileCalculatingIsDisabledComputesNothing) {
    Calculator c;
    std::wstring fee;
    wintest::ModalScript script;
    script.steps = {[&] {
                        c.TypeAmount(L"12345");
                        c.PressCalc();
                        c.Choose(KIND_LABOUR_DISPUTE);
                        SetFocus(c.Item(IDC_AMOUNT));
                        wintest::PressKey(VK_RETURN);
                    },
                    [&] {
                        fee = c.Fee();
                        c.dialog.EndDialog(IDCANCEL);
                    }};
    script.Run(c.dialog);
    EXPECT_EQ(fee, L"108") << "the property fee stays; this kind's would be 0";
}

TEST(Calculator, ArrowsHomeAndEndInTheListChangeTheKindTheNoteAndCalc) {
    Calculator c;
    using Shown = std::tuple<int, std::wstring, bool>;  // kind, note, 计算 enabled
    std::vector<Shown> shown;
    wintest::ModalScript script;
    script.steps = {[&] { SetFocus(c.Item(IDC_KIND_LIST)); }};
    AddKeySteps(script, {VK_DOWN, VK_DOWN, VK_DOWN, VK_END, VK_UP, VK_HOME},
                [&] { shown.emplace_back(c.dialog.m_kind, c.Note(), c.CalcEnabled()); });
    script.steps.push_back([&] { c.dialog.EndDialog(IDCANCEL); });
    script.Run(c.dialog);
    const std::vector<Shown> expected = {
        {KIND_DIVORCE, FromUtf8(u8"说明：每件50-300元,超过20万元的部分收0.5%;"), true},
        {KIND_PERSONAL_RIGHTS, FromUtf8(u8"说明：侵害人身权案件"), true},
        {KIND_OTHER_NON_PROPERTY, FromUtf8(u8"说明：每件50-100元;"), false},
        {KIND_ARBITRATION_AGREEMENT, FromUtf8(u8"说明：每件交纳400元;"), false},
        {KIND_ANNUL_AWARD, FromUtf8(u8"说明：每件交纳400元;"), false},
        {KIND_PROPERTY, FromUtf8(u8"说明：涉及财产案件"), true}};
    EXPECT_EQ(shown, expected);
}

TEST(Calculator, EveryOpeningStartsAfresh) {
    for (int run = 0; run < 2; ++run) {
        Calculator c;
        wintest::ModalScript script;
        script.steps = {[&] {
            EXPECT_EQ(c.Note(), FromUtf8(u8"各类项目法院受理费用说明"));
            EXPECT_EQ(c.Amount(), L"0");
            EXPECT_EQ(c.Fee(), L"0");
            EXPECT_EQ(SendMessageW(c.Item(IDC_KIND_LIST), LB_GETCURSEL, 0, 0), 0);
            c.TypeAmount(L"777");
            c.Choose(KIND_ENFORCEMENT);
            c.PressCalc();
            c.dialog.EndDialog(IDCANCEL);
        }};
        script.Run(c.dialog);
    }
}

TEST(Calculator, TheOwnerIsDisabledWhileItRuns) {
    CDialog owner(IDD_FEE_CALCULATOR);
    ASSERT_TRUE(owner.Create());
    AfxGetApp()->m_pMainWnd = &owner;
    Calculator c;
    bool ownerEnabled = true;
    wintest::ModalScript script;
    script.steps = {[&] {
        ownerEnabled = IsWindowEnabled(owner.m_hWnd) != FALSE;
        EXPECT_EQ(GetWindow(c.dialog.m_hWnd, GW_OWNER), owner.m_hWnd);
        c.dialog.EndDialog(IDCANCEL);
    }};
    script.Run(c.dialog);
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(owner.m_hWnd));
    owner.DestroyWindow();
}

TEST(CalculatorTemplate, IsWordForWordTheCalculatorsTemplate) {
    wintest::DialogTemplate t;
    ASSERT_TRUE(wintest::ReadDialogTemplate(IDD_FEE_CALCULATOR, &t));
    EXPECT_TRUE(t.extended);
    EXPECT_EQ(t.style, 0x800000C0u);
    EXPECT_EQ(t.exStyle, 0u);
    EXPECT_EQ((std::vector<short>{t.x, t.y, t.cx, t.cy}), (std::vector<short>{0, 0, 264, 198}));
    EXPECT_EQ(t.title, L"");
    EXPECT_EQ(t.pointSize, 9);
    EXPECT_EQ(t.weight, 0);
    EXPECT_EQ(t.italic, 0);
    EXPECT_EQ(t.charset, 1);
    EXPECT_EQ(t.typeface, FromUtf8(u8"宋体"));
    struct Expected {
        DWORD id;
        const wchar_t* cls;
        DWORD style;
        DWORD exStyle;
        std::vector<short> rect;
        std::wstring text;
    };
    const Expected items[] = {
        {IDOK, L"Button", 0x50018001, 0, {133, 147, 50, 14}, FromUtf8(u8"计算")},
        {IDCANCEL, L"Button", 0x50018000, 0, {192, 147, 50, 14}, FromUtf8(u8"取消")},
        {IDC_AMOUNT, L"Edit", 0x50010080, 0x20000, {139, 53, 102, 12}, L""},
        {IDC_FEE, L"Edit", 0x50010080, 0x20000, {139, 85, 102, 12}, L""},
        {IDC_KIND_LIST, L"ListBox", 0x50310103, 0x20000, {17, 33, 88, 128}, L""},
        {IDC_NOTE, L"Static", 0x50020000, 0, {17, 14, 230, 10}, L""}};
    ASSERT_EQ(t.items.size(), 6u);
    for (size_t i = 0; i < 6; ++i) {
        const wintest::TemplateItem& item = t.items[i];
        EXPECT_EQ(item.id, items[i].id) << i;
        EXPECT_EQ(_wcsicmp(item.className.c_str(), items[i].cls), 0) << i;
        EXPECT_EQ(item.style, items[i].style) << i;
        EXPECT_EQ(item.exStyle, items[i].exStyle) << i;
        EXPECT_EQ((std::vector<short>{item.x, item.y, item.cx, item.cy}), items[i].rect) << i;
        EXPECT_EQ(item.text, items[i].text) << i;
    }
}

TEST(CalculatorTemplate, TheRunningDialogHasNoCaptionAndTabGoesAmountFeeListCalcCancel) {
    Calculator c;
    std::vector<int> focus;
    wintest::ModalScript script;
    script.steps = {[&] {
        const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(c.dialog.m_hWnd, GWL_STYLE));
        EXPECT_EQ(style & (WS_POPUP | DS_MODALFRAME | WS_CAPTION | WS_SYSMENU),
                  static_cast<DWORD>(WS_POPUP | DS_MODALFRAME));
        SetFocus(c.Item(IDC_AMOUNT));
    }};
    AddKeySteps(script, std::vector<UINT>(6, VK_TAB), [&] { focus.push_back(GetDlgCtrlID(GetFocus())); });
    script.steps.push_back([&] { c.dialog.EndDialog(IDCANCEL); });
    script.Run(c.dialog);
    EXPECT_EQ(focus, (std::vector<int>{IDC_FEE, IDC_KIND_LIST, IDOK, IDCANCEL, IDC_AMOUNT, IDC_FEE}));
}

TEST(CalculatorPainting, TheBackgroundPictureFillsTheClientArea) {
    Calculator c;
    wintest::ModalScript script;
    script.steps = {[&] {
        RedrawWindow(c.dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        HWND d = c.dialog.m_hWnd;
        EXPECT_EQ(wintest::ClientPixel(d, 200, 1), RGB(144, 194, 229)) << "top band, light rows";
        EXPECT_EQ(wintest::ClientPixel(d, 200, 10), RGB(34, 96, 178)) << "top band, deep rows";
        EXPECT_EQ(wintest::ClientPixel(d, 180, 200), RGB(237, 245, 255)) << "field";
        EXPECT_EQ(wintest::ClientPixel(d, 370, 250), RGB(237, 245, 255)) << "field";
        EXPECT_EQ(wintest::ClientPixel(d, 200, 296), RGB(194, 176, 221)) << "lavender bottom";
        // Some pixel of the red bottom line, none of it outside its box.
        bool red = false;
        for (int x = 60; x <= 349 && !red; ++x)
            for (int y = 270; y <= 284 && !red; ++y) red = wintest::ClientPixel(d, x, y) == RGB(255, 0, 0);
        EXPECT_TRUE(red);
        c.dialog.EndDialog(IDCANCEL);
    }};
    script.Run(c.dialog);
}

}  // namespace

namespace {

// Bad input never loses the user's work: the last valid amount and its fee come back.
class CalculatorBadInput : public ::testing::Test {
protected:
    // Runs the calculator: a valid amount first, then `text` in the given edit.
    void Check(int edit, const std::wstring& text, const wchar_t* amount, const wchar_t* fee,
               size_t messages) {
        Calculator c;
        wintest::MessageBoxCloser closer;
        wintest::ModalScript script;
        script.steps = {[&] {
                            c.TypeAmount(L"1000000");
                            c.PressCalc();
                            SetWindowTextW(c.Item(edit), text.c_str());
                            c.PressCalc();
                        },
                        [&] {
                            EXPECT_EQ(c.Amount(), amount);
                            EXPECT_EQ(c.Fee(), fee);
                            c.dialog.EndDialog(IDCANCEL);
                        }};
        script.Run(c.dialog);
        EXPECT_EQ(closer.texts.size(), messages);
    }
    static size_t EditLimit() {
        Calculator c;
        size_t limit = 0;
        wintest::ModalScript script;
        script.steps = {[&] {
            limit = static_cast<size_t>(SendMessageW(c.Item(IDC_AMOUNT), EM_GETLIMITTEXT, 0, 0));
            c.dialog.EndDialog(IDCANCEL);
        }};
        script.Run(c.dialog);
        return limit;
    }
};

TEST_F(CalculatorBadInput, TheLongestTextTheEditTakes) {
    const size_t limit = EditLimit();
    ASSERT_GT(limit, 0u);
    // Edits hold up to their limit; the test uses at most a million characters.
    const size_t length = limit < 1000000 ? limit : 1000000;
    Check(IDC_AMOUNT, std::wstring(length, L'9'), L"1000000", L"13800", 1);
    Check(IDC_AMOUNT, std::wstring(length - 1, L'0') + L"7", L"7", L"50", 0);
    Check(IDC_FEE, std::wstring(length, L'8'), L"1000000", L"13800", 1);
}

TEST_F(CalculatorBadInput, MixedScripts) {
    const wchar_t* texts[] = {
        L"一百万",
        L"1\x0660\x0661",              // Arabic-Indic digits
        L"\xD83D\xDE00" L"100",        // an emoji (a surrogate pair) before digits
        L"100\xD800",                  // a lone surrogate
        L"\xFF11\xFF10" L"a",          // full-width digits and a letter
        L"\x202E" L"123",              // a bidirectional override
        L"１２３４５６７８９０１２３",   // full-width digits beyond the range
    };
    for (const wchar_t* text : texts) Check(IDC_AMOUNT, text, L"1000000", L"13800", 1);
}

TEST_F(CalculatorBadInput, ValuesAtAndBeyondTheLimits) {
    Check(IDC_AMOUNT, L"2147483647", L"2147483647", L"10779218", 0);
    Check(IDC_AMOUNT, L"+2147483647", L"2147483647", L"10779218", 0);
    Check(IDC_AMOUNT, L"-2147483648", L"-2147483648", L"50", 0);
    Check(IDC_AMOUNT, L"2147483648", L"1000000", L"13800", 1);
    Check(IDC_AMOUNT, L"-2147483649", L"1000000", L"13800", 1);
    Check(IDC_AMOUNT, L"99999999999999999999", L"1000000", L"13800", 1);
    Check(IDC_FEE, L"-2147483649", L"1000000", L"13800", 1);
}

}  // namespace
