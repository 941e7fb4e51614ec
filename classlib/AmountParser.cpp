#include "classlib/AmountParser.h"

namespace {

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\x3000';
}

// The digit's value, or -1.
int DigitValue(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'\xFF10' && c <= u'\xFF19') return c - u'\xFF10';
    return -1;
}

}  // namespace

bool ParseInt32(const char16_t* text, size_t length, int32_t* value) {
    if (!text) return false;
    size_t begin = 0;
    size_t end = length;
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;

    bool negative = false;
    if (begin < end) {
        const char16_t sign = text[begin];
        if (sign == u'-' || sign == u'\xFF0D') {
            negative = true;
            ++begin;
        } else if (sign == u'+' || sign == u'\xFF0B') {
            ++begin;
        }
    }
    if (begin == end) return false;

    // Accumulate the magnitude in 64 bits and stop as soon as it leaves the range.
    const int64_t limit = negative ? int64_t{INT32_MAX} + 1 : int64_t{INT32_MAX};
    int64_t magnitude = 0;
    for (size_t i = begin; i < end; ++i) {
        const int digit = DigitValue(text[i]);
        if (digit < 0) return false;
        magnitude = magnitude * 10 + digit;
        if (magnitude > limit) return false;
    }
    *value = static_cast<int32_t>(negative ? -magnitude : magnitude);
    return true;
}
