// The worker thread of the photo slideshow and the hand-over, one picture
// per screen, between it and the saver window.
#include "photo_worker.h"

#include <string.h>

#include "imaging_runtime.h"
#include "picture_list.h"

namespace {

// One screen's next picture.
struct PreparedSlot {
    PictureFit fit;
    BOOL ready;               // picture and path hold the next picture
    PreparedPicture picture;
    char path[MAX_PATH];
};

}  // namespace

struct PhotoWorker {
    LONG references;           // the window's and the thread's
    CRITICAL_SECTION lock;     // guards the slots' ready, picture and path, and nothing
    HANDLE wake;               // auto-reset: a picture was taken, or stop
    volatile LONG stop;        // also the preparation's cancel flag
    BOOL nothing;              // the list holds nothing that can be shown
    int screens;
    PreparedSlot slots[MAX_PHOTO_SCREENS];
    PhotoSettings settings;
    char installedPath[MAX_PATH];
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
    for (int i = 0; i < worker->screens; ++i)
        ReleasePreparedPicture(&worker->slots[i].picture);
    CloseHandle(worker->wake);
    DeleteCriticalSection(&worker->lock);
    HeapFree(GetProcessHeap(), 0, worker);
}

// Prepares the next picture that decodes for one screen. A file that cannot
// be shown is passed over at once; when the walk comes back to the first
// file that failed without anything shown in between, the whole list has
// failed.
WorkerOutcome PrepareNext(PhotoWorker* worker, const PictureFit* fit, PictureList* list, PreparedPicture* picture,
                          char* path)
{
    char firstFailure[MAX_PATH] = "";
    while (!worker->stop) {
        if (!NextPicturePath(list, path))
            return WORKER_NOTHING;
        if (firstFailure[0] && lstrcmpiA(path, firstFailure) == 0)
            return WORKER_NOTHING;
        PrepareResult result = PreparePicture(path, fit, &worker->stop, picture);
        if (result == PREPARE_OK)
            return WORKER_READY;
        if (result == PREPARE_CANCELLED)
            break;
        if (!firstFailure[0])
            lstrcpynA(firstFailure, path, MAX_PATH);
    }
    return WORKER_BUSY;
}

// The first screen without a next picture, or -1.
int ScreenToPrepare(PhotoWorker* worker)
{
    EnterCriticalSection(&worker->lock);
    int screen = -1;
    for (int i = 0; i < worker->screens && screen < 0; ++i)
        if (!worker->slots[i].ready)
            screen = i;
    LeaveCriticalSection(&worker->lock);
    return screen;
}

DWORD WINAPI RunPhotoWorker(LPVOID parameter)
{
    PhotoWorker* worker = static_cast<PhotoWorker*>(parameter);
    BOOL imaging = StartImagingOnThread();
    PictureList* list = OpenPictureList(&worker->settings, worker->installedPath);
    while (!worker->stop) {
        int screen = ScreenToPrepare(worker);
        if (screen < 0) {
            WaitForSingleObject(worker->wake, INFINITE);
            continue;
        }
        PreparedPicture picture;
        ZeroMemory(&picture, sizeof picture);
        char path[MAX_PATH] = "";
        WorkerOutcome outcome =
            list ? PrepareNext(worker, &worker->slots[screen].fit, list, &picture, path) : WORKER_NOTHING;
        if (worker->stop || outcome == WORKER_BUSY) {
            ReleasePreparedPicture(&picture);
            break;
        }
        EnterCriticalSection(&worker->lock);
        if (outcome == WORKER_READY) {
            worker->slots[screen].picture = picture;
            lstrcpynA(worker->slots[screen].path, path, MAX_PATH);
            worker->slots[screen].ready = TRUE;
        } else {
            worker->nothing = TRUE;
        }
        LeaveCriticalSection(&worker->lock);
        PostMessageA(worker->window, worker->message, 0, 0);
        if (outcome == WORKER_NOTHING)
            break;
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

PhotoWorker* StartPhotoWorker(const PhotoSettings* settings, const char* installedPath, const PictureFit* fits,
                              int screens, HWND window, UINT message)
{
    if (screens < 1 || screens > MAX_PHOTO_SCREENS)
        return NULL;
    PhotoWorker* worker = static_cast<PhotoWorker*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(PhotoWorker)));
    if (!worker)
        return NULL;
    worker->references = 2;
    worker->settings = *settings;
    lstrcpynA(worker->installedPath, installedPath, MAX_PATH);
    worker->screens = screens;
    for (int i = 0; i < screens; ++i)
        worker->slots[i].fit = fits[i];
    worker->window = window;
    worker->message = message;
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

BOOL PreparedPicturesReady(PhotoWorker* worker)
{
    EnterCriticalSection(&worker->lock);
    BOOL ready = worker->nothing;
    if (!ready) {
        ready = TRUE;
        for (int i = 0; i < worker->screens; ++i)
            ready = ready && worker->slots[i].ready;
    }
    LeaveCriticalSection(&worker->lock);
    return ready;
}

WorkerOutcome TakePreparedPicture(PhotoWorker* worker, int screen, PreparedPicture* picture, char* path)
{
    if (screen < 0 || screen >= worker->screens)
        return WORKER_NOTHING;
    EnterCriticalSection(&worker->lock);
    PreparedSlot* slot = &worker->slots[screen];
    WorkerOutcome outcome = slot->ready ? WORKER_READY : worker->nothing ? WORKER_NOTHING : WORKER_BUSY;
    if (outcome == WORKER_READY) {
        *picture = slot->picture;
        lstrcpynA(path, slot->path, MAX_PATH);
        ZeroMemory(&slot->picture, sizeof slot->picture);
        slot->ready = FALSE;
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
