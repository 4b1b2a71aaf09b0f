// The sixteen events of the "VRX 2" sound scheme and the files they play.
#pragma once

#define SCHEMES_KEY "AppEvents\\Schemes"
#define SCHEME_KEY_NAME "VRX 2"
#define SCHEME_NAMES_KEY "AppEvents\\Schemes\\Names\\VRX 2"
#define DEFAULT_SCHEME_NAME ".Default"

struct SoundEvent {
    const char* eventKey;  // under HKEY_CURRENT_USER, ends with a backslash
    const char* fileName;  // in the installed "sounds" directory
};

extern const SoundEvent kSoundEvents[];
extern const int kSoundEventCount;
