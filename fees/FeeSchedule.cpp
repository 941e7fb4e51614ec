#include "fees/FeeSchedule.h"

#include <climits>

namespace {

// One row of a schedule: for amounts from `from` upwards (until the next row),
// fee = (amount - offset) * rate + constant, rounded down to whole yuan.
// Rates are whole thousandths, so the exact decimal value is
// ((amount - offset) * rateMilli + constant * 1000) / 1000 in 64-bit integers; every
// value that reaches the division is positive, so integer division rounds it down.
struct Bracket {
    int32_t from;
    int32_t offset;
    int32_t rateMilli;
    int32_t constant;
};

template <int N>
int32_t Apply(const Bracket (&rows)[N], int32_t amount) {
    const Bracket* row = &rows[0];
    for (const Bracket& candidate : rows) {
        if (amount >= candidate.from) row = &candidate;
    }
    const int64_t base = int64_t{amount} - row->offset;
    const int64_t milli = base * row->rateMilli + int64_t{row->constant} * 1000;
    return static_cast<int32_t>(milli / 1000);
}

// "Above X" bounds are written as X + 1: amounts are whole yuan.
constexpr Bracket FEE_PROPERTY_BRACKETS[] = {
    {INT32_MIN, 0, 0, 50},
    {10000, 0, 25, -200},
    {100000, 0, 20, 300},
    {200000, 0, 15, 1300},
    {500000, 0, 10, 3800},
    {1000000, 0, 9, 4800},
    {2000000, 0, 8, 6800},
    {5000000, 0, 7, 11800},
    {10000000, 0, 6, 21800},
    {20000000, 0, 5, 41800},
};

constexpr Bracket FEE_DIVORCE_BRACKETS[] = {
    {INT32_MIN, 0, 0, 100},
    {200001, 200000, 5, 100},
};

constexpr Bracket FEE_PERSONAL_RIGHTS_BRACKETS[] = {
    {INT32_MIN, 0, 0, 300},
    {50001, 50000, 10, 300},
    {100001, 100000, 5, 800},
};

constexpr Bracket FEE_ENFORCEMENT_BRACKETS[] = {
    {INT32_MIN, 0, 0, 50},
    {10001, 0, 15, -100},
    {500001, 0, 10, 2400},
    {5000000, 0, 5, 27400},
    {10000000, 0, 1, 67400},
};

constexpr Bracket FEE_PRESERVATION_BRACKETS[] = {
    {INT32_MIN, 0, 0, 30},
    {1001, 1000, 10, 30},
    {100001, 100000, 5, 1020},
};

constexpr int32_t FEE_PRESERVATION_CAP = 5000;

struct KindText {
    const char* label;
    const char* note;
};

constexpr KindText FEE_KIND_TEXTS[CASE_KIND_COUNT] = {
    {"财产案件", "说明：涉及财产案件"},
    {"离婚案件", "说明：每件50-300元,超过20万元的部分收0.5%;"},
    {"侵害人身权案件", "说明：侵害人身权案件"},
    {"其他非财产案件", "说明：每件50-100元;"},
    {"劳动争议案件", "说明：每件10元;"},
    {"知识产权纠纷案件", "说明：每件500-1000元，有争议金额的按财产案件标准;"},
    {"破产案件", "说明：按照财产案件受理费标准减半交纳，但最高不超过30万元;"},
    {"商标、专利、海事行政案件", "说明：商标、专利、海事行政案件：每件100元;"},
    {"其他行政案件", "说明：每件50元;"},
    {"管辖权异议", "说明：异议不成立的，每件50-100元;"},
    {"案件执行费", "说明：没有执行金额或者价额：每件50元至500元;"},
    {"保全费", "说明：不涉及财产数额：每件30元;"},
    {"申请支付令", "说明：按财产案件受理费标准的1/3交纳;"},
    {"申请公示催告", "说明：每件交纳100元;"},
    {"申请撤销仲裁裁决", "说明：每件交纳400元;"},
    {"认定仲裁协议效力", "说明：每件交纳400元;"},
};

bool InRange(CaseKind kind) {
    return kind >= 0 && kind < CASE_KIND_COUNT;
}

}  // namespace

const char FEE_NOTE_HEADING[] = "各类项目法院受理费用说明";

const char* KindLabel(CaseKind kind) {
    return InRange(kind) ? FEE_KIND_TEXTS[kind].label : "";
}

const char* KindNote(CaseKind kind) {
    return InRange(kind) ? FEE_KIND_TEXTS[kind].note : "";
}

bool IsComputableKind(CaseKind kind) {
    switch (kind) {
    case KIND_PROPERTY:
    case KIND_DIVORCE:
    case KIND_PERSONAL_RIGHTS:
    case KIND_ENFORCEMENT:
    case KIND_PRESERVATION:
        return true;
    default:
        return false;
    }
}

int32_t ComputeFee(CaseKind kind, int32_t amount) {
    switch (kind) {
    case KIND_PROPERTY: return PropertyCaseFee(amount);
    case KIND_DIVORCE: return DivorceCaseFee(amount);
    case KIND_PERSONAL_RIGHTS: return PersonalRightsCaseFee(amount);
    case KIND_ENFORCEMENT: return EnforcementFee(amount);
    case KIND_PRESERVATION: return PreservationFee(amount);
    default: return 0;
    }
}

int32_t PropertyCaseFee(int32_t amount) { return Apply(FEE_PROPERTY_BRACKETS, amount); }
int32_t DivorceCaseFee(int32_t amount) { return Apply(FEE_DIVORCE_BRACKETS, amount); }
int32_t PersonalRightsCaseFee(int32_t amount) {
    return Apply(FEE_PERSONAL_RIGHTS_BRACKETS, amount);
}
int32_t EnforcementFee(int32_t amount) { return Apply(FEE_ENFORCEMENT_BRACKETS, amount); }

int32_t PreservationFee(int32_t amount) {
    const int32_t fee = Apply(FEE_PRESERVATION_BRACKETS, amount);
    return fee >= FEE_PRESERVATION_CAP ? FEE_PRESERVATION_CAP : fee;
}
