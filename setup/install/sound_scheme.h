// The "VRX 2" sound scheme of the current user: its name, the current-scheme
// value and sixteen event sounds, each both in the scheme and as current.
#pragma once

#include <windows.h>

#define SOUND_SCHEME_KEY_NAME "VRX 2"
#define SOUND_SCHEME_DISPLAY_NAME "Kestrova 2 Sound Scheme"
#define SOUND_SCHEMES_KEY "AppEvents\\Schemes"
#define SOUND_SCHEME_NAME_KEY "AppEvents\\Schemes\\Names\\VRX 2"

struct SoundEvent {
    const char* eventKey;  // ends with a backslash
    const char* suffix;    // begins with a backslash
};

// The sixteen events, in the order they are written.
extern const SoundEvent g_soundEvents[16];

// Names the scheme, makes it current and points every event of the table at
// its file in soundDirectory (a full path without a trailing backslash).
// Returns TRUE.
BOOL RegisterSoundScheme(const char* soundDirectory);

// Sets eventKey + "VRX 2" and eventKey + ".Current" to soundDirectory + suffix.
// A path or key that would not fit in MAX_PATH characters is not written.
void WriteEventSound(const char* soundDirectory, const char* suffix, const char* eventKey);
