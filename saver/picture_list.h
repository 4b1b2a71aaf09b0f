// The list of pictures the photo slideshow shows: the user's folders (and
// their subfolders when asked) walked a little at a time, in the file
// system's order or shuffled, every file of a format the system decodes.
// One thread owns a list; it is not shared.
#pragma once

#include <windows.h>

#include "photo_settings.h"

struct PictureList;

// Starts a list over the settings' folders; when they hold no picture at
// all, over the installed "pictures" directory below installedPath. Nothing
// is walked yet. Returns NULL only when memory is short.
PictureList* OpenPictureList(const PhotoSettings* settings, const char* installedPath);

// Puts the full path of the next picture to show into path (MAX_PATH
// characters), walking only as far as it needs. Folders that are missing or
// unreadable are passed over. Returns FALSE when the whole walk found no
// picture at all.
BOOL NextPicturePath(PictureList* list, char* path);

void ClosePictureList(PictureList* list);

// TRUE when the name ends in an extension of a format that this system can
// decode (the Imaging Component's decoders where it is there; bitmaps, JPEG
// and GIF otherwise).
BOOL IsPictureFileName(const char* name);
