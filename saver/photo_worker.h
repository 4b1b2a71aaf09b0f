// The photo slideshow's worker thread: it walks the picture list and
// prepares the next picture while the current one is on screen, one at a
// time, and tells the saver window when it is ready.
#pragma once

#include <windows.h>

#include "photo_settings.h"
#include "prepared_picture.h"

struct PhotoWorker;

// What TakePreparedPicture found.
enum WorkerOutcome {
    WORKER_BUSY = 0,     // still preparing: a message comes when it is done
    WORKER_READY = 1,    // a picture was handed over; the next is being prepared
    WORKER_NOTHING = 2   // no picture of the list can be shown: the list is empty,
                         // or a whole round of it failed to decode
};

// Starts the thread over the settings' folders (or the installed pictures)
// with the fit given. Posts `message` to `window` each time a picture is
// ready or the list turned out to hold nothing. NULL when no thread could be
// started.
PhotoWorker* StartPhotoWorker(const PhotoSettings* settings, const char* installedPath, const PictureFit* fit,
                              HWND window, UINT message);

// Hands over the prepared picture and its file's path (MAX_PATH) when there
// is one (the caller then owns the picture and gives it back with
// ReleasePreparedPicture) and sets the worker on the next.
WorkerOutcome TakePreparedPicture(PhotoWorker* worker, PreparedPicture* picture, char* path);

// Tells the thread to stop, cancelling a preparation under way, and lets it
// go: it frees what it holds as it ends. Returns at once.
void StopPhotoWorker(PhotoWorker* worker);

// Waits up to `milliseconds` for every stopped worker thread of the process
// to end; TRUE when none is left.
BOOL WaitForStoppedWorkers(DWORD milliseconds);
