// Making the installed saver the system's screen saver, after keeping the
// name of the one that was active as "Previous Saver".
#pragma once

#include <windows.h>

#define SAVER_FILE_NAME "VRXSaver.scr"
// Capacity for the previous saver's name, its NUL included.
#define PREVIOUS_SAVER_CHARS 100

// Stores system.ini's [boot] SCRNSAVE.EXE (or "None") as "Previous Saver";
// when copiesSucceeded, names <Windows directory>\VRXSaver.scr there.
void ActivateScreenSaver(BOOL copiesSucceeded);
