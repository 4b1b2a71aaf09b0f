// The worker thread of the photo slideshow and the one-picture hand-over
// between it and the saver window.
#include "photo_worker.h"

#include <string.h>

#include "imaging_runtime.h"
#include "picture_list.h"

struct PhotoWorker {
    LONG references;           // the window's and the thread's
    CRITICAL_SECTION lock;     // guards outcome and picture
    HANDLE wake;               // auto-reset: a picture was taken, or stop
    volatile LONG stop;        // also the preparation's cancel flag
    WorkerOutcome outcome;
    PreparedPicture picture;
    char path[MAX_PATH];       // the picture's file
    PhotoSettings settings;
    char installedPath[MAX_PATH];
    PictureFit fit;
    HWND window;
    UINT message;
};

namespace {

// Worker threads that have not yet ended, for the end of the process.
volatile LONG RunningWorkers = 0;

void DropReference(PhotoWorker* worker)
{
    if (InterlockedDecrement(&worker->references) != 0)
        return;
    ReleasePreparedPicture(&worker->picture);
    CloseHandle(worker->wake);
    DeleteCriticalSection(&worker->lock);
    HeapFree(GetProcessHeap(), 0, worker);
}

// Prepares the next picture that decodes. A file that cannot be shown is
// passed over at once; when the walk comes back to the first file that
// failed without anything shown in between, the whole list has failed.
WorkerOutcome PrepareNext(PhotoWorker* worker, PictureList* list, PreparedPicture* picture, char* path)
{
    char firstFailure[MAX_PATH] = "";
    while (!worker->stop) {
        if (!NextPicturePath(list, path))
            return WORKER_NOTHING;
        if (firstFailure[0] && lstrcmpiA(path, firstFailure) == 0)
            return WORKER_NOTHING;
        PrepareResult result = PreparePicture(path, &worker->fit, &worker->stop, picture);
        if (result == PREPARE_OK)
            return WORKER_READY;
        if (result == PREPARE_CANCELLED)
            break;
        if (!firstFailure[0])
            lstrcpynA(firstFailure, path, MAX_PATH);
    }
    return WORKER_BUSY;
}

// Publishes what was prepared and waits until the window takes it.
BOOL Publish(PhotoWorker* worker, WorkerOutcome outcome, PreparedPicture* picture, const char* path)
{
    EnterCriticalSection(&worker->lock);
    worker->picture = *picture;
    lstrcpynA(worker->path, path, MAX_PATH);
    worker->outcome = outcome;
    LeaveCriticalSection(&worker->lock);
    ZeroMemory(picture, sizeof *picture);
    PostMessageA(worker->window, worker->message, 0, 0);
    return outcome == WORKER_READY;
}

DWORD WINAPI RunPhotoWorker(LPVOID parameter)
{
    PhotoWorker* worker = static_cast<PhotoWorker*>(parameter);
    BOOL imaging = StartImagingOnThread();
    PictureList* list = OpenPictureList(&worker->settings, worker->installedPath);
    while (!worker->stop) {
        PreparedPicture picture;
        ZeroMemory(&picture, sizeof picture);
        char path[MAX_PATH] = "";
        WorkerOutcome outcome = list ? PrepareNext(worker, list, &picture, path) : WORKER_NOTHING;
        if (worker->stop) {
            ReleasePreparedPicture(&picture);
            break;
        }
        if (!Publish(worker, outcome, &picture, path))
            break;
        WaitForSingleObject(worker->wake, INFINITE);
    }
    if (list)
        ClosePictureList(list);
    if (imaging)
        EndImagingOnThread();
    DropReference(worker);
    InterlockedDecrement(&RunningWorkers);
    return 0;
}

}  // namespace

PhotoWorker* StartPhotoWorker(const PhotoSettings* settings, const char* installedPath, const PictureFit* fit,
                              HWND window, UINT message)
{
    PhotoWorker* worker = static_cast<PhotoWorker*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(PhotoWorker)));
    if (!worker)
        return NULL;
    worker->references = 2;
    worker->settings = *settings;
    lstrcpynA(worker->installedPath, installedPath, MAX_PATH);
    worker->fit = *fit;
    worker->window = window;
    worker->message = message;
    worker->outcome = WORKER_BUSY;
    worker->wake = CreateEventA(NULL, FALSE, FALSE, NULL);
    InitializeCriticalSection(&worker->lock);
    DWORD id = 0;
    InterlockedIncrement(&RunningWorkers);
    HANDLE thread = worker->wake ? CreateThread(NULL, 0, RunPhotoWorker, worker, 0, &id) : NULL;
    if (!thread) {
        InterlockedDecrement(&RunningWorkers);
        worker->references = 1;
        DropReference(worker);
        return NULL;
    }
    // Decoding gives way to the saver window's own thread, which wipes,
    // draws and ends the saver on input.
    SetThreadPriority(thread, THREAD_PRIORITY_BELOW_NORMAL);
    CloseHandle(thread);
    return worker;
}

WorkerOutcome TakePreparedPicture(PhotoWorker* worker, PreparedPicture* picture, char* path)
{
    EnterCriticalSection(&worker->lock);
    WorkerOutcome outcome = worker->outcome;
    if (outcome == WORKER_READY) {
        *picture = worker->picture;
        lstrcpynA(path, worker->path, MAX_PATH);
        ZeroMemory(&worker->picture, sizeof worker->picture);
        worker->outcome = WORKER_BUSY;
    }
    LeaveCriticalSection(&worker->lock);
    if (outcome == WORKER_READY)
        SetEvent(worker->wake);
    return outcome;
}

void StopPhotoWorker(PhotoWorker* worker)
{
    InterlockedExchange(&worker->stop, 1);
    SetEvent(worker->wake);
    DropReference(worker);
}

BOOL WaitForStoppedWorkers(DWORD milliseconds)
{
    DWORD start = GetTickCount();
    while (InterlockedCompareExchange(&RunningWorkers, 0, 0) != 0) {
        if (GetTickCount() - start >= milliseconds)
            return FALSE;
        Sleep(5);
    }
    return TRUE;
}
