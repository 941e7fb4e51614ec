// The kinds' texts must be code page 936 bytes. The expected strings are UTF-8 (u8
// literals, untouched by -fexec-charset) converted at run time by the platform's own
// converter, so a wrong source encoding or a compiler conversion fault cannot hide
// behind the same fault in the expectation.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <initializer_list>
#include <string>

#include "fees/FeeSchedule.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <iconv.h>
#endif

namespace {

// Fails the current test and returns "" when the text cannot be converted; the caller's
// comparison then fails as well instead of passing on two empty strings.
std::string ToCodePage936(const char* utf8) {
#ifdef _WIN32
    const int wideLength = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, nullptr, 0);
    if (wideLength <= 0) {
        ADD_FAILURE() << "MultiByteToWideChar failed: " << GetLastError();
        return "";
    }
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, &wide[0], wideLength);
    BOOL usedDefault = FALSE;
    const int length =
        WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1, nullptr, 0, nullptr, &usedDefault);
    if (length <= 0 || usedDefault) {
        ADD_FAILURE() << "WideCharToMultiByte(936) failed: " << GetLastError();
        return "";
    }
    std::string result(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1, &result[0], length, nullptr, &usedDefault);
    result.resize(static_cast<size_t>(length) - 1);  // the converted terminator
    return result;
#else
    iconv_t cd = iconv_open("GBK", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) cd = iconv_open("CP936", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        ADD_FAILURE() << "iconv has neither GBK nor CP936";
        return "";
    }
    std::string in(utf8);
    std::string out(in.size() * 2 + 4, '\0');
    char* inPtr = &in[0];
    size_t inLeft = in.size();
    char* outPtr = &out[0];
    size_t outLeft = out.size();
    const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    const int error = errno;
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1) || inLeft != 0) {
        ADD_FAILURE() << "iconv to GBK failed: " << std::strerror(error);
        return "";
    }
    out.resize(out.size() - outLeft);
    return out;
#endif
}

std::string Bytes(std::initializer_list<unsigned char> bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// List order is the order of the kinds, which the calculator's list box relies on.
const char* const FEE_LABELS[CASE_KIND_COUNT] = {
    u8"财产案件",         u8"离婚案件",         u8"侵害人身权案件", u8"其他非财产案件",
    u8"劳动争议案件",     u8"知识产权纠纷案件", u8"破产案件",       u8"商标、专利、海事行政案件",
    u8"其他行政案件",     u8"管辖权异议",       u8"案件执行费",     u8"保全费",
    u8"申请支付令",       u8"申请公示催告",     u8"申请撤销仲裁裁决", u8"认定仲裁协议效力",
};

const char* const FEE_NOTES[CASE_KIND_COUNT] = {
    u8"说明：涉及财产案件",
    u8"说明：每件50-300元,超过20万元的部分收0.5%;",
    u8"说明：侵害人身权案件",
    u8"说明：每件50-100元;",
    u8"说明：每件10元;",
    u8"说明：每件500-1000元，有争议金额的按财产案件标准;",
    u8"说明：按照财产案件受理费标准减半交纳，但最高不超过30万元;",
    u8"说明：商标、专利、海事行政案件：每件100元;",
    u8"说明：每件50元;",
    u8"说明：异议不成立的，每件50-100元;",
    u8"说明：没有执行金额或者价额：每件50元至500元;",
    u8"说明：不涉及财产数额：每件30元;",
    u8"说明：按财产案件受理费标准的1/3交纳;",
    u8"说明：每件交纳100元;",
    u8"说明：每件交纳400元;",
    u8"说明：每件交纳400元;",
};

TEST(FeeTexts, LabelsAreCodePage936InListOrder) {
    for (int k = 0; k < CASE_KIND_COUNT; ++k) {
        EXPECT_EQ(std::string(KindLabel(static_cast<CaseKind>(k))), ToCodePage936(FEE_LABELS[k]))
            << "kind " << k;
    }
}

TEST(FeeTexts, NotesAreCodePage936) {
    for (int k = 0; k < CASE_KIND_COUNT; ++k) {
        EXPECT_EQ(std::string(KindNote(static_cast<CaseKind>(k))), ToCodePage936(FEE_NOTES[k]))
            << "kind " << k;
    }
}

TEST(FeeTexts, HeadingIsCodePage936) {
    EXPECT_EQ(std::string(FEE_NOTE_HEADING), ToCodePage936(u8"各类项目法院受理费用说明"));
}

// Fixed bytes from the GB 2312 table, independent of both the compiler and the converter.
TEST(FeeTexts, KnownCodePage936Bytes) {
    const std::string noteLead = Bytes({0xCB, 0xB5, 0xC3, 0xF7, 0xA3, 0xBA});  // 说明：
    EXPECT_EQ(ToCodePage936(u8"说明："), noteLead);
    for (int k = 0; k < CASE_KIND_COUNT; ++k) {
        EXPECT_EQ(std::string(KindNote(static_cast<CaseKind>(k))).substr(0, noteLead.size()), noteLead)
            << "kind " << k;
    }
    EXPECT_EQ(std::string(KindLabel(KIND_PROPERTY)), Bytes({0xB2, 0xC6, 0xB2, 0xFA, 0xB0, 0xB8, 0xBC, 0xFE}));
}

// The notes mix ASCII and full-width punctuation; a tidy-up to one style would change
// what users see.
TEST(FeeTexts, NotePunctuation) {
    const std::string asciiComma = ",";
    const std::string fullWidthComma = Bytes({0xA3, 0xAC});
    EXPECT_NE(std::string(KindNote(KIND_DIVORCE)).find(asciiComma), std::string::npos);
    EXPECT_EQ(std::string(KindNote(KIND_DIVORCE)).find(fullWidthComma), std::string::npos);
    for (CaseKind k : {KIND_INTELLECTUAL_PROPERTY, KIND_BANKRUPTCY, KIND_JURISDICTION_OBJECTION}) {
        EXPECT_NE(std::string(KindNote(k)).find(fullWidthComma), std::string::npos) << "kind " << k;
        EXPECT_EQ(std::string(KindNote(k)).find(asciiComma), std::string::npos) << "kind " << k;
    }
    // Property and personal-rights notes only name the matter; all others state a rule.
    for (int k = 0; k < CASE_KIND_COUNT; ++k) {
        const std::string note = KindNote(static_cast<CaseKind>(k));
        ASSERT_FALSE(note.empty()) << "kind " << k;
        const bool statesRule = k != KIND_PROPERTY && k != KIND_PERSONAL_RIGHTS;
        EXPECT_EQ(note.back() == ';', statesRule) << "kind " << k;
    }
}

TEST(FeeTexts, AnnulAwardAndArbitrationAgreementShareOneNote) {
    const std::string annul = KindNote(KIND_ANNUL_AWARD);
    EXPECT_FALSE(annul.empty());
    EXPECT_EQ(annul, std::string(KindNote(KIND_ARBITRATION_AGREEMENT)));
    EXPECT_EQ(annul, ToCodePage936(u8"说明：每件交纳400元;"));
    // Only those two: every other note is distinct.
    for (int a = 0; a < CASE_KIND_COUNT; ++a) {
        for (int b = a + 1; b < CASE_KIND_COUNT; ++b) {
            if (a == KIND_ANNUL_AWARD && b == KIND_ARBITRATION_AGREEMENT) continue;
            EXPECT_STRNE(KindNote(static_cast<CaseKind>(a)), KindNote(static_cast<CaseKind>(b)))
                << "kinds " << a << " and " << b;
        }
    }
}

// A value outside the list must not index past the table; it gets empty texts.
TEST(FeeTexts, OutOfRangeKindsHaveEmptyTexts) {
    for (int k : {-1, 16, 1000, INT_MAX, INT_MIN}) {
        const char* label = KindLabel(static_cast<CaseKind>(k));
        const char* note = KindNote(static_cast<CaseKind>(k));
        ASSERT_NE(label, nullptr) << "kind " << k;
        ASSERT_NE(note, nullptr) << "kind " << k;
        EXPECT_STREQ(label, "") << "kind " << k;
        EXPECT_STREQ(note, "") << "kind " << k;
    }
}

}  // namespace
