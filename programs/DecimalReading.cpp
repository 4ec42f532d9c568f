#include "DecimalReading.h"

#include <cctype>
#include <climits>
#include <cstdlib>

namespace {

// Skips white space and a sign; returns where the digits should begin.
const char *SkipToMantissa(const char *text) {
    while (std::isspace(static_cast<unsigned char>(*text))) ++text;
    if (*text == '+' || *text == '-') ++text;
    return text;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

int ReadDecimalInt(const char *text) {
    if (!text) return 0;
    // strtoll in base 10 takes decimal digits only; it saturates on overflow.
    long long value = std::strtoll(text, nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

double ReadDecimalNumber(const char *text) {
    if (!text) return 0.0;
    const char *mantissa = SkipToMantissa(text);
    bool startsWithDigit = IsDigit(mantissa[0]) || (mantissa[0] == '.' && IsDigit(mantissa[1]));
    if (!startsWithDigit) return 0.0;  // "inf", "nan", letters
    // strtod would read "0x..." as hexadecimal; as a decimal number it is the 0 before the x.
    if (mantissa[0] == '0' && (mantissa[1] == 'x' || mantissa[1] == 'X')) return 0.0;
    return std::strtod(text, nullptr);
}
