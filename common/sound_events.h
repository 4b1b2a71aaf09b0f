// The "VRX 2" sound scheme's names and its sixteen events: what the setup
// program registers and what the uninstaller takes away again.
#pragma once

#define SOUND_SCHEME_KEY_NAME "VRX 2"
#define SOUND_SCHEME_DISPLAY_NAME "Kestrova 2 Sound Scheme"
#define SOUND_SCHEMES_KEY "AppEvents\\Schemes"
#define SOUND_SCHEME_NAME_KEY "AppEvents\\Schemes\\Names\\VRX 2"
#define SOUND_DEFAULT_SCHEME_NAME ".Default"

struct SoundEvent {
    const char* eventKey;  // under HKEY_CURRENT_USER, ends with a backslash
    const char* suffix;    // the file in the sounds directory, begins with a backslash
};

// The sixteen events, in the order they are written.
extern const SoundEvent g_soundEvents[16];
