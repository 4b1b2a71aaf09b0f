// The user's own picture settings: the folders to show and how to show
// them, kept per user beside the machine's settings. None of them set is the
// installed configuration, which the slideshow shows exactly as before.
#pragma once

#include <windows.h>

// Values of HKEY_CURRENT_USER SETTINGS_KEY_PATH. "Folder1", "Folder2"... are
// texts without their NUL, numbered from 1 without gaps; the others are
// REG_DWORD 0 or 1, absent meaning 0.
#define SETTING_FOLDER_PREFIX "Folder"
#define SETTING_SUBFOLDERS "Subfolders"
#define SETTING_SHUFFLE "Shuffle"
#define SETTING_KEEP_PROPORTIONS "KeepProportions"
#define SETTING_ALL_MONITORS "AllMonitors"
#define SETTING_TRANSITION "Transition"

// How one picture gives way to the next ("Transition"). A value this
// version does not know is taken as the wipe.
#define TRANSITION_WIPE 0       // the strip wipe to black, as always
#define TRANSITION_CROSSFADE 1  // the old picture blended into the new one

// How many folders the dialog keeps and the saver reads.
#define MAX_PICTURE_FOLDERS 64

struct PhotoSettings {
    LONG folderCount;                              // entries of folders in use
    char folders[MAX_PICTURE_FOLDERS][MAX_PATH];   // each NUL-terminated
    LONG subfolders;                               // 1: walk the folders' subfolders
    LONG shuffle;                                  // 1: a random order, each picture once a round
    LONG keepProportions;                          // 1: fit inside the screen, proportions kept
    LONG allMonitors;                              // 1: a picture of its own on every monitor
    LONG transition;                               // TRANSITION_WIPE or TRANSITION_CROSSFADE
};

// Fills the record from the user's key: "Folder1" onwards up to the first
// one missing, empty or not a text that fits MAX_PATH; each number that is
// present as a REG_DWORD (any non-zero value counts as 1, but the
// transition is the crossfade only for 1). Whatever is absent is 0. A folder's text ends at a stored NUL, and a REG_EXPAND_SZ
// folder (as policies write "%USERPROFILE%\Pictures") is expanded. Returns 1.
int ReadPhotoSettings(PhotoSettings* settings);

// Stores the record under the user's key: the folders as "Folder1"...
// "FolderN" (empty entries left out), any higher-numbered ones left from
// before removed, and the five numbers. Returns 1 when every value was
// written, else 0.
int WritePhotoSettings(const PhotoSettings* settings);

// TRUE when anything of the record asks for more than the installed
// configuration: a folder, subfolders, shuffle, proportions, every monitor
// or the crossfade.
BOOL PhotoSettingsInUse(const PhotoSettings* settings);
