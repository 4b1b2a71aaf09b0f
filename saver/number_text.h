// Decimal text to number, as the configuration dialog reads its edit field.
#pragma once

#include <windows.h>

// Skips leading white space, takes one optional sign and the decimal digits
// up to the first other character; no digits give 0. A value beyond the
// range of a LONG is held at LONG_MAX or LONG_MIN instead of wrapping.
LONG ParseNumber(const char* text);
