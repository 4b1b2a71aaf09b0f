// The "VRX 2" sound scheme of the current user: its name, the current-scheme
// value and sixteen event sounds, each both in the scheme and as current.
#pragma once

#include <windows.h>

#include "sound_events.h"

// Names the scheme, makes it current and points every event of the table at
// its file in soundDirectory (a full path without a trailing backslash).
// Returns TRUE.
BOOL RegisterSoundScheme(const char* soundDirectory);

// Sets eventKey + "VRX 2" and eventKey + ".Current" to soundDirectory + suffix.
// A path or key that would not fit in MAX_PATH characters is not written.
void WriteEventSound(const char* soundDirectory, const char* suffix, const char* eventKey);
