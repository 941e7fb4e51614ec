// A sampled version of tools/feecheck: the engine, the exact reference and the
// double-precision formula over every row start ±3 and a fixed pseudo-random sample,
// so that a regression fails the ordinary test run without the minutes-long full sweep.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "tests/fees/FeeScheduleCases.h"

namespace {

std::vector<int32_t> SampleAmounts() {
    std::vector<int32_t> amounts = {INT32_MIN, INT32_MIN + 1, -1000, -1, 0, 1,
                                    INT32_MAX - 1, INT32_MAX};
    // Another schedule's bound is an ordinary amount for this one, but a shared table or
    // copy-pasted constant would go wrong exactly there.
    for (const FeeScheduleCase& s : FeeScheduleCases()) {
        for (int32_t start : s.rowStarts) {
            for (int32_t d = -3; d <= 3; ++d) amounts.push_back(start + d);
        }
    }
    // mt19937's output sequence is fixed by the standard, so both builds test the same
    // amounts. The whole int32 range is mostly above the last bound; the second half of the
    // sample concentrates on the rows below 30 million.
    std::mt19937 random(20070401u);
    for (int i = 0; i < 200000; ++i) {
        amounts.push_back(static_cast<int32_t>(static_cast<int64_t>(random()) + INT32_MIN));
    }
    for (int i = 0; i < 100000; ++i) {
        amounts.push_back(static_cast<int32_t>(random() % 30000000u) - 1000);
    }
    return amounts;
}

class Sample : public testing::TestWithParam<FeeScheduleCase> {
protected:
    static void SetUpTestSuite() { amounts_ = new std::vector<int32_t>(SampleAmounts()); }
    static void TearDownTestSuite() {
        delete amounts_;
        amounts_ = nullptr;
    }
    static std::vector<int32_t>* amounts_;
};

std::vector<int32_t>* Sample::amounts_ = nullptr;

// Counts disagreements and describes the first few, so one bad bracket reports a handful
// of amounts rather than thousands of failures.
class Mismatches {
public:
    void Check(int32_t amount, int32_t got, int32_t want) {
        if (got == want) return;
        if (count_ < 10) text_ << "  amount " << amount << ": got " << got << ", want " << want << "\n";
        ++count_;
    }
    int count() const { return count_; }
    std::string text() const { return text_.str(); }

private:
    int count_ = 0;
    std::ostringstream text_;
};

TEST_P(Sample, EngineMatchesTheExactReference) {
    const FeeScheduleCase& s = GetParam();
    Mismatches direct, dispatched;
    for (int32_t amount : *amounts_) {
        const int32_t want = s.exact(amount);
        direct.Check(amount, s.engine(amount), want);
        dispatched.Check(amount, ComputeFee(s.kind, amount), want);
    }
    EXPECT_EQ(direct.count(), 0) << direct.text();
    EXPECT_EQ(dispatched.count(), 0) << dispatched.text();
}

TEST_P(Sample, DoubleFormulaMatchesTheExactReference) {
    const FeeScheduleCase& s = GetParam();
    Mismatches viaDouble;
    for (int32_t amount : *amounts_) viaDouble.Check(amount, s.viaDouble(amount), s.exact(amount));
    EXPECT_EQ(viaDouble.count(), 0) << viaDouble.text();
}

INSTANTIATE_TEST_SUITE_P(Fees, Sample, testing::ValuesIn(FeeScheduleCases()),
                         [](const testing::TestParamInfo<FeeScheduleCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
