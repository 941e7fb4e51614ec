// Reading a whole number of yuan from the text of an edit. Window-free, so it is
// tested and fuzzed natively.
#pragma once

#include <cstddef>
#include <cstdint>

// Accepts optional blanks around the number (space, tab, the ideographic space), one
// sign (+ or -, also their full-width forms) and one or more digits, ASCII or
// full-width as a Chinese input method types them. Anything else, and any value
// outside the signed 32-bit range, is refused: false, and *value is left unchanged.
bool ParseInt32(const char16_t* text, size_t length, int32_t* value);
