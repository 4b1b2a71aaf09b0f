// Sound scheme removal under HKEY_CURRENT_USER "AppEvents". Only what still
// belongs to the scheme is touched: an event sound or a current scheme the
// user has chosen since the installation is left as it is.
#include "sound_scheme_removal.h"

#include <windows.h>

#include <string.h>

#include <vector>

#include "install_record.h"
#include "sound_events.h"

namespace {

// The default value of a key, or false when the key or the value is missing.
bool QueryDefaultText(const std::string& path, std::string* text)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    char buffer[MAX_PATH + 1];
    ZeroMemory(buffer, sizeof buffer);
    DWORD size = MAX_PATH;
    DWORD type = REG_NONE;
    LONG status = RegQueryValueExA(key, NULL, NULL, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    *text = std::string(buffer, strnlen(buffer, size));
    return true;
}

// Sets the default value of an existing key; the text is stored with its NUL,
// as Windows stores event sounds.
bool SetDefaultText(const std::string& path, const std::string& text)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return false;
    LONG status = RegSetValueExA(key, NULL, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                 static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

void DeleteKeyOrFail(const std::string& path, RemovalReport& report)
{
    if (!DeleteRegistryTree(HKEY_CURRENT_USER, path.c_str()))
        report.Fail("HKEY_CURRENT_USER\\" + path);
}

// An event still plays our sound when its current sound is the scheme's own
// for it, or a file of one of our sounds folders.
void RestoreCurrentSound(const SoundEvent& event, const std::vector<std::string>& soundFolders,
                         RemovalReport& report)
{
    std::string currentKey = std::string(event.eventKey) + ".Current";
    std::string current;
    if (!QueryDefaultText(currentKey, &current))
        return;
    std::vector<std::string> ours = soundFolders;
    for (std::string& folder : ours)
        folder += event.suffix;
    std::string schemeSound;
    if (QueryDefaultText(std::string(event.eventKey) + SOUND_SCHEME_KEY_NAME, &schemeSound))
        ours.push_back(schemeSound);
    bool playsOurs = false;
    for (const std::string& sound : ours)
        playsOurs = playsOurs || (!sound.empty() && lstrcmpiA(current.c_str(), sound.c_str()) == 0);
    if (!playsOurs)
        return;
    std::string fallback;
    if (!QueryDefaultText(std::string(event.eventKey) + SOUND_DEFAULT_SCHEME_NAME, &fallback))
        fallback.clear();
    if (!SetDefaultText(currentKey, fallback))
        report.Fail("HKEY_CURRENT_USER\\" + currentKey);
}

}  // namespace

void RemoveSoundScheme(const std::vector<std::string>& soundFolders, RemovalReport& report)
{
    for (const SoundEvent& event : g_soundEvents) {
        RestoreCurrentSound(event, soundFolders, report);
        DeleteKeyOrFail(std::string(event.eventKey) + SOUND_SCHEME_KEY_NAME, report);
    }
    DeleteKeyOrFail(SOUND_SCHEME_NAME_KEY, report);

    std::string scheme;
    if (QueryDefaultText(SOUND_SCHEMES_KEY, &scheme) && scheme == SOUND_SCHEME_KEY_NAME &&
        !SetDefaultText(SOUND_SCHEMES_KEY, SOUND_DEFAULT_SCHEME_NAME))
        report.Fail("HKEY_CURRENT_USER\\" SOUND_SCHEMES_KEY);
}
