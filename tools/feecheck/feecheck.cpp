// feecheck [-j N]
//
// Runs every int32 amount through the five fee schedules and compares the engine's
// ComputeFee with the exact marginal-band reference, and the double-precision formula
// with the same reference. Prints the first 20 disagreements of each schedule (lowest
// amounts first) and a summary line; exits 1 if anything disagreed.
//
// The test suite samples the same comparison; this sweep is what shows that no
// truncation or bracket mistake hides between the samples.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

#include "fees/FeeSchedule.h"
#include "harness/ReferenceFees.h"

namespace {

constexpr int64_t CHECK_FIRST_AMOUNT = INT32_MIN;
constexpr int64_t CHECK_AMOUNT_COUNT = int64_t{1} << 32;
// Small enough that two threads finish close together, large enough that taking a chunk
// costs nothing.
constexpr int64_t CHECK_CHUNK_SIZE = int64_t{1} << 22;
constexpr size_t CHECK_SHOWN_PER_SCHEDULE = 20;

struct Mismatch {
    int32_t amount;
    int32_t got;
    int32_t want;
    bool viaDouble;
};

struct Tally {
    uint64_t engine = 0;
    uint64_t viaDouble = 0;
    // Chunks are taken in increasing order, so the first ones a thread records are its
    // lowest amounts, and the lowest of all threads together are the overall first.
    std::vector<Mismatch> first;

    void Record(const Mismatch& m) {
        (m.viaDouble ? viaDouble : engine) += 1;
        if (first.size() < 2 * CHECK_SHOWN_PER_SCHEDULE) first.push_back(m);
    }
};

using SweepFn = void (*)(CaseKind, int64_t, int64_t, Tally&);

// The references are template arguments so that they inline into the loop; the engine
// stays an ordinary call, as the program makes it.
template <int32_t (*Exact)(int32_t), int32_t (*ViaDouble)(int32_t)>
void Sweep(CaseKind kind, int64_t from, int64_t to, Tally& tally) {
    for (int64_t a = from; a < to; ++a) {
        const int32_t amount = static_cast<int32_t>(a);
        const int32_t want = Exact(amount);
        const int32_t engine = ComputeFee(kind, amount);
        const int32_t viaDouble = ViaDouble(amount);
        if (engine != want) tally.Record({amount, engine, want, false});
        if (viaDouble != want) tally.Record({amount, viaDouble, want, true});
    }
}

struct Schedule {
    const char* name;
    CaseKind kind;
    SweepFn sweep;
};

namespace ref = reference_fees;

const Schedule CHECK_SCHEDULES[] = {
    {"property", KIND_PROPERTY, Sweep<ref::PropertyExact, ref::PropertyViaDouble>},
    {"divorce", KIND_DIVORCE, Sweep<ref::DivorceExact, ref::DivorceViaDouble>},
    {"personal rights", KIND_PERSONAL_RIGHTS, Sweep<ref::PersonalRightsExact, ref::PersonalRightsViaDouble>},
    {"enforcement", KIND_ENFORCEMENT, Sweep<ref::EnforcementExact, ref::EnforcementViaDouble>},
    {"preservation", KIND_PRESERVATION, Sweep<ref::PreservationExact, ref::PreservationViaDouble>},
};
constexpr size_t CHECK_SCHEDULE_COUNT = sizeof CHECK_SCHEDULES / sizeof CHECK_SCHEDULES[0];

int Usage() {
    std::fprintf(stderr, "usage: feecheck [-j THREADS]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    int threads = 2;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-j") == 0 && i + 1 < argc) {
            char* end = nullptr;
            const long n = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || n < 1 || n > 256) return Usage();
            threads = static_cast<int>(n);
        } else {
            return Usage();
        }
    }

    const auto start = std::chrono::steady_clock::now();
    const int64_t chunkCount = CHECK_AMOUNT_COUNT / CHECK_CHUNK_SIZE;
    std::atomic<int64_t> nextChunk{0};
    std::vector<std::vector<Tally>> tallies(static_cast<size_t>(threads),
                                            std::vector<Tally>(CHECK_SCHEDULE_COUNT));
    std::vector<std::thread> workers;
    workers.reserve(static_cast<size_t>(threads));
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([&, t] {
            std::vector<Tally>& mine = tallies[static_cast<size_t>(t)];
            for (int64_t chunk; (chunk = nextChunk.fetch_add(1)) < chunkCount;) {
                const int64_t from = CHECK_FIRST_AMOUNT + chunk * CHECK_CHUNK_SIZE;
                for (size_t s = 0; s < CHECK_SCHEDULE_COUNT; ++s) {
                    const Schedule& schedule = CHECK_SCHEDULES[s];
                    schedule.sweep(schedule.kind, from, from + CHECK_CHUNK_SIZE, mine[s]);
                }
            }
        });
    }
    for (std::thread& worker : workers) worker.join();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    uint64_t engineTotal = 0;
    uint64_t viaDoubleTotal = 0;
    for (size_t s = 0; s < CHECK_SCHEDULE_COUNT; ++s) {
        uint64_t engine = 0;
        uint64_t viaDouble = 0;
        std::vector<Mismatch> all;
        for (const std::vector<Tally>& perThread : tallies) {
            engine += perThread[s].engine;
            viaDouble += perThread[s].viaDouble;
            all.insert(all.end(), perThread[s].first.begin(), perThread[s].first.end());
        }
        std::sort(all.begin(), all.end(), [](const Mismatch& x, const Mismatch& y) {
            return x.amount != y.amount ? x.amount < y.amount : x.viaDouble < y.viaDouble;
        });
        if (all.size() > CHECK_SHOWN_PER_SCHEDULE) all.resize(CHECK_SHOWN_PER_SCHEDULE);
        for (const Mismatch& m : all) {
            std::printf("%s: amount %ld: %s gives %ld, exact fee %ld\n", CHECK_SCHEDULES[s].name,
                        static_cast<long>(m.amount), m.viaDouble ? "double formula" : "engine",
                        static_cast<long>(m.got), static_cast<long>(m.want));
        }
        std::printf("%s: %llu engine mismatches, %llu double-formula mismatches\n",
                    CHECK_SCHEDULES[s].name, static_cast<unsigned long long>(engine), static_cast<unsigned long long>(viaDouble));
        engineTotal += engine;
        viaDoubleTotal += viaDouble;
    }
    std::printf("feecheck: %lld amounts x %zu schedules, %llu engine mismatches, "
                "%llu double-formula mismatches, %d threads, %.1f s\n",
                static_cast<long long>(CHECK_AMOUNT_COUNT), CHECK_SCHEDULE_COUNT,
                static_cast<unsigned long long>(engineTotal), static_cast<unsigned long long>(viaDoubleTotal),
                threads, seconds);
    return engineTotal == 0 && viaDoubleTotal == 0 ? 0 : 1;
}
