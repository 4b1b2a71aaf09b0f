// The saver's settings: one registry key shared by the saver and the setup
// program, and the in-memory record the saver keeps of it.
#pragma once

#include <windows.h>

// HKEY_LOCAL_MACHINE key that holds every setting and install marker.
#define SETTINGS_KEY_PATH "Software\\Quandrel\\VRX2SS"

// Value names of the settings key.
#define SETTING_INSTALLED_PATH "Installed path"
#define SETTING_FULLSCREEN "Fullscreen"
#define SETTING_UPDATE_RATE "UpdateRate"
#define SETTING_SAVER_INSTALLED "Screen Saver Installed"
#define SETTING_SOUND_INSTALLED "Sound Scheme Installed"
#define SETTING_PREVIOUS_SAVER "Previous Saver"

// Defaults used when a value is absent.
#define DEFAULT_FULLSCREEN 0
#define DEFAULT_UPDATE_RATE 2

struct SaverSettings {
    char installedPath[MAX_PATH];  // zero-filled; always NUL-terminated
    LONG fullscreen;               // 0: natural size centred, else stretched
    LONG updateRate;               // seconds a picture stays on screen
};

// Fills the three destinations from the key. A value that is absent, too
// large for its destination or of the wrong shape leaves the destination as
// it was. Returns 1.
int ReadSaverSettings(char* installedPath, LONG* fullscreen, LONG* updateRate);

// Writes the installed path (as text without its NUL) and the two numbers,
// then flushes the key. Returns 1 whether or not the registry took them.
int WriteSaverSettings(const char* installedPath, LONG fullscreen, LONG updateRate);

// Sets one text value of the key (without its NUL), then flushes. Returns 1.
int WriteInstallMarker(const char* valueName, const char* text);
