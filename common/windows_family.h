// Which family of 32-bit Windows the program runs on.
#pragma once

#include <windows.h>

// TRUE on Windows 95, 98 and ME; FALSE on the NT family.
BOOL IsWindows95Family();
