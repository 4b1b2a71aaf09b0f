// The photo slideshow's worker thread: it walks the picture list and
// prepares the next picture of each screen (the saver window's, and with
// pictures on every monitor each other monitor's) while the current ones are
// on screen, and tells the saver window when they are ready.
#pragma once

#include <windows.h>

#include "photo_settings.h"
#include "prepared_picture.h"

// The most screens a worker prepares for: the monitors Windows supports
// with room to spare.
#define MAX_PHOTO_SCREENS 16

struct PhotoWorker;

// What TakePreparedPicture found.
enum WorkerOutcome {
    WORKER_BUSY = 0,     // still preparing: a message comes when it is done
    WORKER_READY = 1,    // a picture was handed over; the next is being prepared
    WORKER_NOTHING = 2   // no picture of the list can be shown: the list is empty,
                         // or a whole round of it failed to decode
};

// Starts the thread over the settings' folders (or the installed pictures),
// preparing for `screens` screens, screen n fitted by fits[n]. Posts
// `message` to `window` each time a screen's picture is ready or the list
// turned out to hold nothing. NULL when no thread could be started.
PhotoWorker* StartPhotoWorker(const PhotoSettings* settings, const char* installedPath, const PictureFit* fits,
                              int screens, HWND window, UINT message);

// TRUE when every screen's next picture is ready (or the list holds
// nothing), so that all of them can change at once.
BOOL PreparedPicturesReady(PhotoWorker* worker);

// Hands over the prepared picture of a screen and its file's path
// (MAX_PATH) when there is one (the caller then owns the picture and gives
// it back with ReleasePreparedPicture) and sets the worker on that screen's
// next.
WorkerOutcome TakePreparedPicture(PhotoWorker* worker, int screen, PreparedPicture* picture, char* path);

// Tells the thread to stop, cancelling a preparation under way, and lets it
// go: it frees what it holds as it ends. Returns at once.
void StopPhotoWorker(PhotoWorker* worker);

// Waits up to `milliseconds` for every stopped worker thread of the process
// to end; TRUE when none is left.
BOOL WaitForStoppedWorkers(DWORD milliseconds);
