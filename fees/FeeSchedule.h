// The litigation-fee engine: the sixteen kinds of court matter, their texts and the
// five fee schedules of the national court-fee standard in force from 1 April 2007.
// Pure functions over whole yuan; no window code, no state, no failure.
#pragma once

#include <cstdint>

enum CaseKind : int {
    KIND_PROPERTY = 0,
    KIND_DIVORCE = 1,
    KIND_PERSONAL_RIGHTS = 2,
    KIND_OTHER_NON_PROPERTY = 3,
    KIND_LABOUR_DISPUTE = 4,
    KIND_INTELLECTUAL_PROPERTY = 5,
    KIND_BANKRUPTCY = 6,
    KIND_TRADEMARK_PATENT_MARITIME = 7,
    KIND_OTHER_ADMINISTRATIVE = 8,
    KIND_JURISDICTION_OBJECTION = 9,
    KIND_ENFORCEMENT = 10,
    KIND_PRESERVATION = 11,
    KIND_PAYMENT_ORDER = 12,
    KIND_PUBLIC_NOTICE = 13,
    KIND_ANNUL_AWARD = 14,
    KIND_ARBITRATION_AGREEMENT = 15,
};

constexpr int CASE_KIND_COUNT = 16;

// Shown in the calculator's note line before any kind is chosen (code page 936).
extern const char FEE_NOTE_HEADING[];

// List text and explanation of a kind, in code page 936; "" outside 0..15.
const char* KindLabel(CaseKind kind);
const char* KindNote(CaseKind kind);

bool IsComputableKind(CaseKind kind);

// The fee of the kind for the amount; 0 for kinds without a schedule.
int32_t ComputeFee(CaseKind kind, int32_t amount);

int32_t PropertyCaseFee(int32_t amount);
int32_t DivorceCaseFee(int32_t amount);
int32_t PersonalRightsCaseFee(int32_t amount);
int32_t EnforcementFee(int32_t amount);
int32_t PreservationFee(int32_t amount);
