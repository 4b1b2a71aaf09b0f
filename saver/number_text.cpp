// Decimal text to number, saturating at the ends of the LONG range.
#include "number_text.h"

#include <limits.h>

namespace {

bool IsWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

LONG ParseNumber(const char* text)
{
    const char* p = text;
    while (IsWhiteSpace(*p))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = (*p == '-');
        ++p;
    }
    // The magnitude stops growing once it passes the largest that either
    // sign can hold, so a long run of digits cannot wrap into a small value.
    const long long limit = static_cast<long long>(LONG_MAX) + 1;
    long long magnitude = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        if (magnitude <= limit)
            magnitude = magnitude * 10 + (*p - '0');
    }
    if (negative)
        return magnitude >= limit ? LONG_MIN : static_cast<LONG>(-magnitude);
    return magnitude > LONG_MAX ? LONG_MAX : static_cast<LONG>(magnitude);
}
