// The five fee schedules side by side: the engine's function, its kind, the two
// independent reference computations and the amounts where the rules change row.
// Shared by the tests and the exhaustive checker.
#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

#include "fees/FeeSchedule.h"
#include "harness/ReferenceFees.h"

struct FeeScheduleCase {
    const char* name;
    CaseKind kind;
    int32_t (*engine)(int32_t);
    int32_t (*exact)(int32_t);
    int32_t (*viaDouble)(int32_t);
    // First amount of every row after the first (an "above X" bound is X + 1), and for
    // preservation the first amount that reaches the ceiling. Off-by-one mistakes in
    // either direction show up at bound - 1, bound and bound + 1.
    std::vector<int32_t> rowStarts;
};

// Names the schedule in test output instead of dumping the struct's bytes.
inline std::ostream& operator<<(std::ostream& out, const FeeScheduleCase& schedule) {
    return out << schedule.name;
}

inline const std::vector<FeeScheduleCase>& FeeScheduleCases() {
    namespace ref = reference_fees;
    static const std::vector<FeeScheduleCase> cases = {
        {"Property", KIND_PROPERTY, PropertyCaseFee, ref::PropertyExact, ref::PropertyViaDouble,
         {10000, 100000, 200000, 500000, 1000000, 2000000, 5000000, 10000000, 20000000}},
        {"Divorce", KIND_DIVORCE, DivorceCaseFee, ref::DivorceExact, ref::DivorceViaDouble,
         {200001}},
        {"PersonalRights", KIND_PERSONAL_RIGHTS, PersonalRightsCaseFee, ref::PersonalRightsExact,
         ref::PersonalRightsViaDouble, {50001, 100001}},
        {"Enforcement", KIND_ENFORCEMENT, EnforcementFee, ref::EnforcementExact,
         ref::EnforcementViaDouble, {10001, 500001, 5000000, 10000000}},
        {"Preservation", KIND_PRESERVATION, PreservationFee, ref::PreservationExact,
         ref::PreservationViaDouble, {1001, 100001, 896000}},
    };
    return cases;
}
