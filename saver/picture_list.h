// The list of pictures the photo slideshow shows: the user's folders (and
// their subfolders when asked) walked a little at a time, in the file
// system's order or shuffled, every file of a format the system decodes.
// One thread owns a list; it is not shared.
#pragma once

#include <windows.h>

#include "photo_settings.h"

struct PictureList;

// Starts a list over the settings' folders; when they hold no picture at
// all, over the installed "pictures" directory below installedPath (its own
// files only). Nothing is walked yet. Returns NULL only when memory is short.
PictureList* OpenPictureList(const PhotoSettings* settings, const char* installedPath);

// Puts the full path of the next picture to show into path (MAX_PATH
// characters), walking only as far as it needs. A round walks the disk
// anew: in order, each folder's own files in the file system's order, then
// its subfolders one after another, depth first, in the order they were
// listed; shuffled, a random pick among the pictures found and not yet shown
// this round (never the last round's last picture first, unless it is the
// only one). Hidden and system files and folders, folders that are missing
// or unreadable and paths longer than MAX_PATH - 1 are passed over; the
// installed pictures stand in for a round that found none in the folders.
// Returns FALSE, with path empty, when the round found no picture at all;
// the next call looks again.
// Its thread has COM started (StartImagingOnThread): the first call asks
// DecodableExtensions which extensions count.
BOOL NextPicturePath(PictureList* list, char* path);

void ClosePictureList(PictureList* list);

// TRUE when the name ends in an extension of a format that this system can
// decode (the Imaging Component's decoders where it is there; bitmaps, JPEG
// and GIF otherwise).
BOOL IsPictureFileName(const char* name);
