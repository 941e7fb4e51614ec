// engine_bench [-r ROUNDS]
//
// Single-thread throughput of the fee engine over the five schedules, against the exact
// reference and the double formula of harness/ReferenceFees.h, each called the same
// way (an ordinary call taking the kind and the amount). Two sets of amounts: a sweep
// over the whole int32 range in increasing order, as the exhaustive checker visits
// them, and amounts spread evenly over the orders of magnitude in random order, as
// people type them. Also times the exhaustive checker's loop on one thread.
// Prints the medians of ROUNDS rounds in millions of amounts a second, and the ratios.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "fees/FeeSchedule.h"
#include "harness/ReferenceFees.h"
#include "tools/bench/Samples.h"

namespace {

namespace ref = reference_fees;

constexpr CaseKind BENCH_SCHEDULED_KINDS[] = {KIND_PROPERTY, KIND_DIVORCE, KIND_PERSONAL_RIGHTS,
                                              KIND_ENFORCEMENT, KIND_PRESERVATION};

// Odd, so that the sweep's amounts do not all share their low bits.
constexpr int64_t BENCH_SWEEP_STRIDE = 257;
constexpr size_t BENCH_TYPED_COUNT = size_t{1} << 20;
constexpr int BENCH_TYPED_REPEATS = 16;

// Kept out of line, as ComputeFee is in its own translation unit, so that the three
// are compared as calls and not as code the compiler folded into the loop.
__attribute__((noinline)) int32_t ExactFee(CaseKind kind, int32_t amount) {
    switch (kind) {
        case KIND_PROPERTY: return ref::PropertyExact(amount);
        case KIND_DIVORCE: return ref::DivorceExact(amount);
        case KIND_PERSONAL_RIGHTS: return ref::PersonalRightsExact(amount);
        case KIND_ENFORCEMENT: return ref::EnforcementExact(amount);
        case KIND_PRESERVATION: return ref::PreservationExact(amount);
        default: return 0;
    }
}

__attribute__((noinline)) int32_t DoubleFee(CaseKind kind, int32_t amount) {
    switch (kind) {
        case KIND_PROPERTY: return ref::PropertyViaDouble(amount);
        case KIND_DIVORCE: return ref::DivorceViaDouble(amount);
        case KIND_PERSONAL_RIGHTS: return ref::PersonalRightsViaDouble(amount);
        case KIND_ENFORCEMENT: return ref::EnforcementViaDouble(amount);
        case KIND_PRESERVATION: return ref::PreservationViaDouble(amount);
        default: return 0;
    }
}

// A sum of every result, so that no call can be dropped, and so that the three ways of
// computing can be seen to agree.
struct Pass {
    uint64_t sum = 0;
    uint64_t amounts = 0;
    double seconds = 0;
    double Rate() const { return static_cast<double>(amounts) / seconds; }
};

template <typename Fee>
Pass Sweep(Fee fee) {
    Pass pass;
    const auto start = bench::Clock::now();
    for (CaseKind kind : BENCH_SCHEDULED_KINDS) {
        for (int64_t a = INT32_MIN; a <= INT32_MAX; a += BENCH_SWEEP_STRIDE) {
            pass.sum += static_cast<uint64_t>(fee(kind, static_cast<int32_t>(a)));
            ++pass.amounts;
        }
    }
    pass.seconds = bench::SecondsSince(start);
    return pass;
}

// The exhaustive checker's loop, as it is written there: one schedule at a time, its
// references inlined, the engine called; the sum counts disagreements.
template <int32_t (*Exact)(int32_t), int32_t (*ViaDouble)(int32_t)>
void CheckSweep(CaseKind kind, Pass& pass) {
    for (int64_t a = INT32_MIN; a <= INT32_MAX; a += BENCH_SWEEP_STRIDE) {
        const int32_t amount = static_cast<int32_t>(a);
        const int32_t want = Exact(amount);
        pass.sum += uint64_t{ComputeFee(kind, amount) != want} + uint64_t{ViaDouble(amount) != want};
        ++pass.amounts;
    }
}

Pass CheckAll() {
    Pass pass;
    const auto start = bench::Clock::now();
    CheckSweep<ref::PropertyExact, ref::PropertyViaDouble>(KIND_PROPERTY, pass);
    CheckSweep<ref::DivorceExact, ref::DivorceViaDouble>(KIND_DIVORCE, pass);
    CheckSweep<ref::PersonalRightsExact, ref::PersonalRightsViaDouble>(KIND_PERSONAL_RIGHTS, pass);
    CheckSweep<ref::EnforcementExact, ref::EnforcementViaDouble>(KIND_ENFORCEMENT, pass);
    CheckSweep<ref::PreservationExact, ref::PreservationViaDouble>(KIND_PRESERVATION, pass);
    pass.seconds = bench::SecondsSince(start);
    return pass;
}

template <typename Fee>
Pass Typed(Fee fee, const std::vector<int32_t>& amounts) {
    Pass pass;
    const auto start = bench::Clock::now();
    for (int repeat = 0; repeat < BENCH_TYPED_REPEATS; ++repeat) {
        for (CaseKind kind : BENCH_SCHEDULED_KINDS) {
            for (int32_t amount : amounts) pass.sum += static_cast<uint64_t>(fee(kind, amount));
            pass.amounts += amounts.size();
        }
    }
    pass.seconds = bench::SecondsSince(start);
    return pass;
}

// Whole yuan from 1 to 2^31 - 1, the number of digits uniform and the order random; a
// fixed xorshift seed makes every run time the same amounts.
std::vector<int32_t> TypedAmounts() {
    std::vector<int32_t> amounts(BENCH_TYPED_COUNT);
    uint64_t state = 0x9E3779B97F4A7C15u;
    auto next = [&state] {
        state ^= state << 13, state ^= state >> 7, state ^= state << 17;
        return state;
    };
    for (int32_t& amount : amounts) {
        const int bits = 1 + static_cast<int>(next() % 31);
        const uint64_t span = uint64_t{1} << bits;
        amount = static_cast<int32_t>(std::max<uint64_t>(1, (span / 2 + next() % (span / 2)) & 0x7FFFFFFF));
    }
    return amounts;
}

struct Rates {
    bench::Samples engine, exact, viaDouble;
    bool agree = true;
};

template <typename Run>
void MeasureRound(Run run, Rates& rates) {
    const Pass engine = run(ComputeFee);
    const Pass exact = run(ExactFee);
    const Pass viaDouble = run(DoubleFee);
    rates.engine.Add(engine.Rate());
    rates.exact.Add(exact.Rate());
    rates.viaDouble.Add(viaDouble.Rate());
    rates.agree = rates.agree && engine.sum == exact.sum && viaDouble.sum == exact.sum;
}

void Report(const char* name, const Rates& rates, int rounds) {
    const double engine = rates.engine.Median() / 1e6;
    const double exact = rates.exact.Median() / 1e6;
    const double viaDouble = rates.viaDouble.Median() / 1e6;
    std::printf("engine (%s): %.0f M amounts/s, exact reference %.0f M/s, double formula %.0f M/s, "
                "ratio to exact %.2f, to double %.2f (single thread, medians of %d rounds)\n",
                name, engine, exact, viaDouble, engine / exact, engine / viaDouble, rounds);
}

}  // namespace

int main(int argc, char** argv) {
    int rounds = 5;
    if (argc == 3 && std::strcmp(argv[1], "-r") == 0) {
        rounds = std::atoi(argv[2]);
    } else if (argc != 1) {
        rounds = 0;
    }
    if (rounds < 1) {
        std::fprintf(stderr, "usage: engine_bench [-r ROUNDS]\n");
        return 2;
    }
    const std::vector<int32_t> typed = TypedAmounts();
    Rates sweep;
    Rates mixed;
    bench::Samples check;
    bool checked = true;
    for (int r = 0; r < rounds; ++r) {
        MeasureRound([](auto fee) { return Sweep(fee); }, sweep);
        MeasureRound([&typed](auto fee) { return Typed(fee, typed); }, mixed);
        const Pass pass = CheckAll();
        check.Add(pass.Rate());
        checked = checked && pass.sum == 0;
    }
    if (!sweep.agree || !mixed.agree || !checked) {
        std::fprintf(stderr, "engine_bench: the engine and the references disagree\n");
        return 1;
    }
    Report("int32 sweep", sweep, rounds);
    Report("typed amounts", mixed, rounds);
    std::printf("check loop (int32 sweep): %.0f M amounts/s (engine, exact and double compared; single thread)\n",
                check.Median() / 1e6);
    return 0;
}
