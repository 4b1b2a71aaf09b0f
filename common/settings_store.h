// The saver's settings: one registry key shared by the saver and the setup
// program, and the in-memory record the saver keeps of it.
#pragma once

#include <windows.h>

// HKEY_LOCAL_MACHINE key that holds every setting and install marker. A user
// who may not write it keeps Fullscreen and UpdateRate under the same path
// of HKEY_CURRENT_USER, and those two win over the machine's.
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

// Fills the three destinations from the machine's key, then Fullscreen and
// UpdateRate from the user's where it holds them; the installed path comes
// from the machine's key only. A value that is absent, too large for its
// destination or of the wrong shape leaves the destination as it was.
// Returns 1.
int ReadSaverSettings(char* installedPath, LONG* fullscreen, LONG* updateRate);

// Where WriteSaverSettings could put the settings.
#define SETTINGS_WRITTEN_NOWHERE 0
#define SETTINGS_WRITTEN_FOR_MACHINE 1
#define SETTINGS_WRITTEN_FOR_USER 2

// Writes the installed path (as text without its NUL) and the two numbers to
// the machine's key and flushes it; the user's own copies of the numbers are
// then dropped, since they would hide what was just written. When the
// machine's key cannot be written, the two numbers go to the user's key.
int WriteSaverSettings(const char* installedPath, LONG fullscreen, LONG updateRate);

// Sets one text value of the key (without its NUL), then flushes. Returns 1.
int WriteInstallMarker(const char* valueName, const char* text);

// The call that creates or opens a settings key for writing. Windows refuses
// HKEY_LOCAL_MACHINE to a program that runs without elevation; the tests put
// a function here that refuses a hive in the same way.
typedef decltype(&RegCreateKeyExA) SettingsCreateKeyProc;
extern SettingsCreateKeyProc SettingsCreateKey;
