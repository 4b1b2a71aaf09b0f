// Writing the sound scheme under HKEY_CURRENT_USER\AppEvents. Each value is a
// REG_SZ stored with exactly one terminating NUL; registry results are not
// examined, so a key that cannot be made simply lacks its value.
#include "sound_scheme.h"

#include <string.h>

namespace {

// Creates or opens keyPath, sets its default value to text with its NUL, closes it.
void SetDefaultText(const char* keyPath, const char* text)
{
    HKEY key = NULL;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, NULL, &key,
                        NULL) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, NULL, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(strlen(text) + 1));
    RegCloseKey(key);
}

// buffer := first + second, FALSE when that does not fit in MAX_PATH characters.
BOOL Concatenate(char* buffer, const char* first, const char* second)
{
    size_t a = strlen(first);
    size_t b = strlen(second);
    if (a + b >= MAX_PATH)
        return FALSE;
    memcpy(buffer, first, a);
    memcpy(buffer + a, second, b + 1);
    return TRUE;
}

}  // namespace

void WriteEventSound(const char* soundDirectory, const char* suffix, const char* eventKey)
{
    char soundPath[MAX_PATH];
    char keyPath[MAX_PATH];
    if (!Concatenate(soundPath, soundDirectory, suffix))
        return;
    if (Concatenate(keyPath, eventKey, SOUND_SCHEME_KEY_NAME))
        SetDefaultText(keyPath, soundPath);
    if (Concatenate(keyPath, eventKey, ".Current"))
        SetDefaultText(keyPath, soundPath);
}

BOOL RegisterSoundScheme(const char* soundDirectory)
{
    SetDefaultText(SOUND_SCHEME_NAME_KEY, SOUND_SCHEME_DISPLAY_NAME);
    SetDefaultText(SOUND_SCHEMES_KEY, SOUND_SCHEME_KEY_NAME);
    for (const SoundEvent& event : g_soundEvents)
        WriteEventSound(soundDirectory, event.suffix, event.eventKey);
    return TRUE;
}
