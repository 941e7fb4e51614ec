// Differential fuzzing of the amount parser against a plain reference: whatever the
// bytes, both agree on acceptance and value, and the parser never reads past the text
// or leaves the value changed on refusal.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "classlib/AmountParser.h"

namespace {

// Blanks trimmed, one sign, then digits folded to ASCII; strtoll decides the range.
bool Reference(const std::u16string& text, int32_t* value) {
    auto blank = [](char16_t c) { return c == u' ' || c == u'\t' || c == 0x3000; };
    size_t b = 0, e = text.size();
    while (b < e && blank(text[b])) ++b;
    while (e > b && blank(text[e - 1])) --e;
    std::string ascii;
    if (b < e && (text[b] == u'-' || text[b] == 0xFF0D)) { ascii = "-"; ++b; }
    else if (b < e && (text[b] == u'+' || text[b] == 0xFF0B)) ++b;
    if (b == e) return false;
    for (size_t i = b; i < e; ++i) {
        const char16_t c = text[i];
        if (c >= u'0' && c <= u'9') ascii.push_back(static_cast<char>(c));
        else if (c >= 0xFF10 && c <= 0xFF19) ascii.push_back(static_cast<char>('0' + (c - 0xFF10)));
        else return false;
    }
    // Leading zeros cannot change the value; drop them so strtoll's range is enough.
    const size_t digits = ascii[0] == '-' ? 1 : 0;
    size_t first = digits;
    while (first + 1 < ascii.size() && ascii[first] == '0') ++first;
    ascii.erase(digits, first - digits);
    if (ascii.size() > 12) return false;
    const long long n = std::strtoll(ascii.c_str(), nullptr, 10);
    if (n < INT32_MIN || n > INT32_MAX) return false;
    *value = static_cast<int32_t>(n);
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const size_t units = size / 2;
    // An exact-size copy lets AddressSanitizer catch any read past the end.
    std::unique_ptr<char16_t[]> text(new char16_t[units ? units : 1]);
    std::memcpy(text.get(), data, units * 2);
    int32_t parsed = 0x5A5A5A5A;
    int32_t expected = 0x5A5A5A5A;
    const bool ok = ParseInt32(text.get(), units, &parsed);
    const bool want = Reference(std::u16string(text.get(), units), &expected);
    if (ok != want || parsed != expected) std::abort();
    return 0;
}
