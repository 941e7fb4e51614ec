// Fees for chosen amounts: the published worked examples, the rounding and bracket-bound
// edge cases, the kinds without a schedule, and every row change against the reference.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "fees/FeeSchedule.h"
#include "tests/fees/FeeScheduleCases.h"
#include "harness/ReferenceFees.h"

namespace {

// Same order as FeeScheduleCases(): property, divorce, personal rights, enforcement,
// preservation.
struct WorkedExample {
    int32_t amount;
    int32_t fees[5];
};

const WorkedExample FEE_WORKED_EXAMPLES[] = {
    {-5, {50, 100, 300, 50, 30}},
    {10000, {50, 100, 300, 50, 120}},
    {10001, {50, 100, 300, 50, 120}},
    {50000, {1050, 100, 300, 650, 520}},
    {99999, {2299, 100, 799, 1399, 1019}},
    {100000, {2300, 100, 800, 1400, 1020}},
    {200001, {4300, 100, 1300, 2900, 1520}},
    {500000, {8800, 1600, 2800, 7400, 3020}},
    {895999, {12759, 3579, 4779, 11359, 4999}},
    {896000, {12760, 3580, 4780, 11360, 5000}},
    {1000000, {13800, 4100, 5300, 12400, 5000}},
    {25000000, {166800, 124100, 125300, 92400, 5000}},
    {2147483647, {10779218, 10736518, 10737718, 2214883, 5000}},
};

std::string AmountName(int32_t amount) {
    return amount < 0 ? "minus" + std::to_string(-int64_t{amount}) : std::to_string(amount);
}

std::ostream& operator<<(std::ostream& out, const WorkedExample& example) {
    return out << "amount " << example.amount;
}

class WorkedExamples : public testing::TestWithParam<WorkedExample> {};

// The reference is checked here too: the sampled and exhaustive comparisons are only as
// good as the reference they compare against.
TEST_P(WorkedExamples, EngineAndReferencesGiveThePublishedFees) {
    const WorkedExample& example = GetParam();
    const auto& schedules = FeeScheduleCases();
    ASSERT_EQ(schedules.size(), 5u);
    for (size_t i = 0; i < schedules.size(); ++i) {
        const FeeScheduleCase& s = schedules[i];
        SCOPED_TRACE(s.name);
        EXPECT_EQ(s.engine(example.amount), example.fees[i]);
        EXPECT_EQ(ComputeFee(s.kind, example.amount), example.fees[i]);
        EXPECT_EQ(s.exact(example.amount), example.fees[i]);
        EXPECT_EQ(s.viaDouble(example.amount), example.fees[i]);
    }
}

INSTANTIATE_TEST_SUITE_P(Fees, WorkedExamples, testing::ValuesIn(FEE_WORKED_EXAMPLES),
                         [](const testing::TestParamInfo<WorkedExample>& info) {
                             return AmountName(info.param.amount);
                         });

struct EdgeCase {
    const char* what;
    int32_t (*fee)(int32_t);
    int32_t amount;
    int32_t expected;
};

const EdgeCase FEE_EDGE_CASES[] = {
    // Fractions of a yuan are dropped, never rounded up.
    {"PropertyDropsFraction10001", PropertyCaseFee, 10001, 50},
    {"PropertyDropsFraction99999", PropertyCaseFee, 99999, 2299},
    {"DivorceDropsFraction200001", DivorceCaseFee, 200001, 100},
    {"PreservationDropsFraction895999", PreservationFee, 895999, 4999},
    // 896200 would be 5001 before the ceiling.
    {"PreservationCeiling896200", PreservationFee, 896200, 5000},
    // 300000 x 1.5% is not exactly representable in binary; the fee must still be whole.
    {"PropertyExact300000", PropertyCaseFee, 300000, 5800},
    {"PropertyExact1000000", PropertyCaseFee, 1000000, 13800},
    // Adjacent rows meet at their bound.
    {"PropertyTopRowStart", PropertyCaseFee, 20000000, 141800},
    {"PropertyBelowTopRow", PropertyCaseFee, 19999999, 141799},
    {"Enforcement10000", EnforcementFee, 10000, 50},
    {"Enforcement500000", EnforcementFee, 500000, 7400},
    {"Enforcement5000000", EnforcementFee, 5000000, 52400},
    {"Enforcement10000000", EnforcementFee, 10000000, 77400},
    // The most negative amount must not overflow into a huge or negative fee.
    {"PropertyIntMin", PropertyCaseFee, INT32_MIN, 50},
    {"DivorceIntMin", DivorceCaseFee, INT32_MIN, 100},
    {"PersonalRightsIntMin", PersonalRightsCaseFee, INT32_MIN, 300},
    {"EnforcementIntMin", EnforcementFee, INT32_MIN, 50},
    {"PreservationIntMin", PreservationFee, INT32_MIN, 30},
};

std::ostream& operator<<(std::ostream& out, const EdgeCase& c) {
    return out << c.what;
}

class EdgeCases : public testing::TestWithParam<EdgeCase> {};

TEST_P(EdgeCases, FeeIsExact) {
    const EdgeCase& c = GetParam();
    EXPECT_EQ(c.fee(c.amount), c.expected) << "amount " << c.amount;
}

INSTANTIATE_TEST_SUITE_P(Fees, EdgeCases, testing::ValuesIn(FEE_EDGE_CASES),
                         [](const testing::TestParamInfo<EdgeCase>& info) {
                             return std::string(info.param.what);
                         });

const int32_t FEE_PROBE_AMOUNTS[] = {INT32_MIN, -5,      0,        1,        10000,
                                     500000,    1000000, 25000000, INT32_MAX};

TEST(FeeKinds, OnlyPropertyDivorcePersonalRightsEnforcementAndPreservationAreComputable) {
    const bool computable[CASE_KIND_COUNT] = {
        true,  true,  true,  false, false, false, false, false,
        false, false, true,  true,  false, false, false, false,
    };
    for (int k = 0; k < CASE_KIND_COUNT; ++k) {
        EXPECT_EQ(IsComputableKind(static_cast<CaseKind>(k)), computable[k]) << "kind " << k;
    }
    for (int k : {-1, 16, 1000, INT_MIN, INT_MAX}) {
        EXPECT_FALSE(IsComputableKind(static_cast<CaseKind>(k))) << "kind " << k;
    }
}

TEST(FeeKinds, KindsWithoutAScheduleChargeNothing) {
    const std::vector<int> kinds = {3, 4, 5, 6, 7, 8, 9, 12, 13, 14, 15,
                                    -1, 16, 1000, INT_MIN, INT_MAX};
    for (int k : kinds) {
        for (int32_t amount : FEE_PROBE_AMOUNTS) {
            EXPECT_EQ(ComputeFee(static_cast<CaseKind>(k), amount), 0)
                << "kind " << k << ", amount " << amount;
        }
    }
}

class RowStarts : public testing::TestWithParam<FeeScheduleCase> {};

TEST_P(RowStarts, AroundEveryRowStartTheEngineMatchesTheExactReference) {
    const FeeScheduleCase& s = GetParam();
    ASSERT_FALSE(s.rowStarts.empty());
    for (int32_t start : s.rowStarts) {
        for (int32_t amount : {start - 1, start, start + 1}) {
            EXPECT_EQ(s.engine(amount), s.exact(amount)) << "amount " << amount;
            EXPECT_EQ(ComputeFee(s.kind, amount), s.exact(amount)) << "amount " << amount;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Fees, RowStarts, testing::ValuesIn(FeeScheduleCases()),
                         [](const testing::TestParamInfo<FeeScheduleCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
