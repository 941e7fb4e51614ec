// Fees recomputed from the court-fee rules without the engine's help, for the tests and
// the exhaustive checker.
//
// Exact: the rules in their marginal form ("so much for the first band, then so many
// thousandths of every further yuan up to the next bound"), summed in whole thousandths
// of a yuan. The engine evaluates one linear formula per bracket instead, so agreement
// between the two is evidence, not repetition; the brackets' constants never appear here.
//
// ViaDouble: the per-bracket formulas as written in the rules, evaluated the way a naive
// program would, with IEEE doubles rounded at every step and the result truncated.
// Header-only and window-free so that both builds and the checker can use it.
#pragma once

#include <algorithm>
#include <cfloat>
#include <cstdint>
#include <limits>

// ViaDouble promises 53-bit doubles rounded after every operation, not x87 extended
// precision, which would round differently: includers link fee_reference, which asks for
// SSE2 doubles on 32-bit x86.
static_assert(std::numeric_limits<double>::digits == 53, "IEEE binary64 expected");
static_assert(FLT_EVAL_METHOD == 0, "double arithmetic must not be evaluated in a wider type");

namespace reference_fees {

constexpr int64_t REFERENCE_NO_UPPER = std::numeric_limits<int64_t>::max();

// Thousandths of a yuan charged on the part of the amount that lies in (lower, upper].
constexpr int64_t Band(int64_t amount, int64_t lower, int64_t upper, int64_t perMille) {
    if (amount <= lower) return 0;
    return (std::min(amount, upper) - lower) * perMille;
}

// Every sum is positive (each starts from a positive flat fee and bands add nothing
// negative), so integer division rounds down as the rules require.
constexpr int32_t WholeYuan(int64_t thousandths) {
    return static_cast<int32_t>(thousandths / 1000);
}

constexpr int32_t PropertyExact(int32_t amount) {
    const int64_t a = amount;
    return WholeYuan(int64_t{50} * 1000
                     + Band(a, 10000, 100000, 25)
                     + Band(a, 100000, 200000, 20)
                     + Band(a, 200000, 500000, 15)
                     + Band(a, 500000, 1000000, 10)
                     + Band(a, 1000000, 2000000, 9)
                     + Band(a, 2000000, 5000000, 8)
                     + Band(a, 5000000, 10000000, 7)
                     + Band(a, 10000000, 20000000, 6)
                     + Band(a, 20000000, REFERENCE_NO_UPPER, 5));
}

constexpr int32_t DivorceExact(int32_t amount) {
    return WholeYuan(int64_t{100} * 1000 + Band(amount, 200000, REFERENCE_NO_UPPER, 5));
}

constexpr int32_t PersonalRightsExact(int32_t amount) {
    const int64_t a = amount;
    return WholeYuan(int64_t{300} * 1000
                     + Band(a, 50000, 100000, 10)
                     + Band(a, 100000, REFERENCE_NO_UPPER, 5));
}

// 50 yuan up to 10000 and 1.5% beyond it is the rules' a × 1.5% − 100 rewritten as
// bands; likewise for the later rows (7400 at 500000, 52400 at 5000000, 77400 at 10000000).
constexpr int32_t EnforcementExact(int32_t amount) {
    const int64_t a = amount;
    return WholeYuan(int64_t{50} * 1000
                     + Band(a, 10000, 500000, 15)
                     + Band(a, 500000, 5000000, 10)
                     + Band(a, 5000000, 10000000, 5)
                     + Band(a, 10000000, REFERENCE_NO_UPPER, 1));
}

constexpr int32_t REFERENCE_PRESERVATION_CEILING = 5000;

constexpr int32_t PreservationExact(int32_t amount) {
    const int64_t a = amount;
    const int32_t fee = WholeYuan(int64_t{30} * 1000
                                  + Band(a, 1000, 100000, 10)
                                  + Band(a, 100000, REFERENCE_NO_UPPER, 5));
    return std::min(fee, REFERENCE_PRESERVATION_CEILING);
}

// base × rate + constant in doubles: the conversion of base is exact (|base| < 2^53);
// the product and the sum are each rounded to nearest; the cast truncates toward zero.
// fee_reference turns floating-point contraction off, or a fused multiply-add would
// round once instead of twice.
inline int32_t ViaDouble(int64_t base, double rate, double constant) {
    const double product = static_cast<double>(base) * rate;
    const double sum = product + constant;
    return static_cast<int32_t>(sum);
}

inline int32_t PropertyViaDouble(int32_t a) {
    if (a < 10000) return 50;
    if (a < 100000) return ViaDouble(a, 0.025, -200);
    if (a < 200000) return ViaDouble(a, 0.02, 300);
    if (a < 500000) return ViaDouble(a, 0.015, 1300);
    if (a < 1000000) return ViaDouble(a, 0.01, 3800);
    if (a < 2000000) return ViaDouble(a, 0.009, 4800);
    if (a < 5000000) return ViaDouble(a, 0.008, 6800);
    if (a < 10000000) return ViaDouble(a, 0.007, 11800);
    if (a < 20000000) return ViaDouble(a, 0.006, 21800);
    return ViaDouble(a, 0.005, 41800);
}

inline int32_t DivorceViaDouble(int32_t a) {
    if (a <= 200000) return 100;
    return ViaDouble(int64_t{a} - 200000, 0.005, 100);
}

inline int32_t PersonalRightsViaDouble(int32_t a) {
    if (a <= 50000) return 300;
    if (a <= 100000) return ViaDouble(int64_t{a} - 50000, 0.01, 300);
    return ViaDouble(int64_t{a} - 100000, 0.005, 800);
}

inline int32_t EnforcementViaDouble(int32_t a) {
    if (a <= 10000) return 50;
    if (a <= 500000) return ViaDouble(a, 0.015, -100);
    if (a < 5000000) return ViaDouble(a, 0.01, 2400);
    if (a < 10000000) return ViaDouble(a, 0.005, 27400);
    return ViaDouble(a, 0.001, 67400);
}

inline int32_t PreservationUncapped(int32_t a) {
    if (a <= 1000) return 30;
    if (a <= 100000) return ViaDouble(int64_t{a} - 1000, 0.01, 30);
    return ViaDouble(int64_t{a} - 100000, 0.005, 1020);
}

inline int32_t PreservationViaDouble(int32_t a) {
    return std::min(PreservationUncapped(a), REFERENCE_PRESERVATION_CEILING);
}

}  // namespace reference_fees
