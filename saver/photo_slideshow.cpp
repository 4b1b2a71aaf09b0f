// The photo slideshow's window side: the picture on screen, the one the
// worker prepares, and when each is drawn.
#include "photo_slideshow.h"

#include "photo_display.h"
#include "photo_settings.h"
#include "photo_worker.h"
#include "picture_display.h"
#include "saver_procs.h"
#include "saver_runtime.h"
#include "slideshow.h"

namespace {

struct PhotoShowState {
    PhotoWorker* worker;
    PreparedPicture shown;  // on screen; empty before the first
    char shownPath[MAX_PATH];
    BOOL painted;           // the first paint has wiped the window
    BOOL areaBlack;         // nothing drawn since the last wipe
    BOOL due;               // a tick came before its picture was ready
};

PhotoShowState PhotoShow;

// Draws what the worker has ready in place of the picture on screen. FALSE
// when nothing is ready yet.
BOOL ShowNextPrepared(HWND window)
{
    PreparedPicture next;
    ZeroMemory(&next, sizeof next);
    char path[MAX_PATH];
    WorkerOutcome outcome = PhotoShow.worker ? TakePreparedPicture(PhotoShow.worker, &next, path) : WORKER_NOTHING;
    if (outcome == WORKER_BUSY)
        return FALSE;
    if (outcome == WORKER_NOTHING) {
        // Nothing can be shown: the window is left black and the saver ends,
        // as with an empty pictures directory.
        if (!PhotoShow.areaBlack) {
            HDC dc = GetDC(window);
            if (dc) {
                WipeToBlack(dc);
                ReleaseDC(window, dc);
            }
        }
        PostQuitMessage(0);
        return TRUE;
    }
    ReleasePreparedPicture(&PhotoShow.shown);
    PhotoShow.shown = next;
    lstrcpynA(PhotoShow.shownPath, path, MAX_PATH);
    ShowPreparedPicture(window, &PhotoShow.shown, !PhotoShow.areaBlack);
    PhotoShow.areaBlack = FALSE;
    return TRUE;
}

void OnPhotoCreate(HWND window, const CREATESTRUCTA* creation)
{
    ReadSaverSettings(SaverSettings.installedPath, &SaverSettings.fullscreen, &SaverSettings.updateRate);
    DrawingArea.X = creation->x;
    DrawingArea.Y = creation->y;
    DrawingArea.Width = creation->cx;
    DrawingArea.Height = creation->cy;
    ZeroMemory(&PhotoShow, sizeof PhotoShow);
    PhotoSettings settings;
    ReadPhotoSettings(&settings);
    PictureFit fit;
    fit.areaWidth = creation->cx;
    fit.areaHeight = creation->cy;
    fit.keepProportions = settings.keepProportions != 0;
    fit.fullscreen = SaverSettings.fullscreen != 0;
    PhotoShow.worker = StartPhotoWorker(&settings, SaverSettings.installedPath, &fit, window, WM_PHOTO_PREPARED);
    InvalidateRect(window, NULL, FALSE);
    SetTimer(window, SLIDESHOW_TIMER_ID, static_cast<UINT>(SaverSettings.updateRate) * 1000u, NULL);
}

// Every paint wipes and draws the picture on screen again; the first one
// wipes the desktop away and shows the first picture if it is ready.
void OnPhotoPaint(HWND window)
{
    ValidateRect(window, NULL);
    if (!PhotoShow.painted) {
        PhotoShow.painted = TRUE;
        HDC dc = GetDC(window);
        if (!dc) {
            PostQuitMessage(0);
            return;
        }
        WipeToBlack(dc);
        ReleaseDC(window, dc);
        PhotoShow.areaBlack = TRUE;
        PhotoShow.due = !ShowNextPrepared(window);
        return;
    }
    if (!PhotoShow.shown.pixels)
        return;
    ShowPreparedPicture(window, &PhotoShow.shown, TRUE);
}

void OnPhotoTimer(HWND window)
{
    if (!PhotoShow.painted)
        return;
    PhotoShow.due = !ShowNextPrepared(window);
}

// A picture the worker finished is drawn at once only when its turn has
// come already; otherwise it waits for the tick.
void OnPhotoPrepared(HWND window)
{
    if (PhotoShow.due && !SaverRuntime.ClosingAllowed)
        PhotoShow.due = !ShowNextPrepared(window);
}

void OnPhotoDestroy(HWND window)
{
    if (PhotoShow.worker)
        StopPhotoWorker(PhotoShow.worker);
    PhotoShow.worker = NULL;
    ReleasePreparedPicture(&PhotoShow.shown);
    KillTimer(window, SLIDESHOW_TIMER_ID);
    PostQuitMessage(0);
}

}  // namespace

BOOL PhotoSlideshowWanted()
{
    PhotoSettings settings;
    ReadPhotoSettings(&settings);
    return PhotoSettingsInUse(&settings);
}

LRESULT CALLBACK PhotoSlideshowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        OnPhotoCreate(window, reinterpret_cast<const CREATESTRUCTA*>(lParam));
        return 0;
    case WM_PAINT:
        OnPhotoPaint(window);
        return 0;
    case WM_TIMER:
        if (wParam == SLIDESHOW_TIMER_ID)
            OnPhotoTimer(window);
        return 0;
    case WM_PHOTO_PREPARED:
        OnPhotoPrepared(window);
        return 0;
    case WM_DESTROY:
        OnPhotoDestroy(window);
        return 0;
    }
    return DefaultSaverProc(window, message, wParam, lParam);
}

const PreparedPicture* ShownPhoto()
{
    return &PhotoShow.shown;
}

const char* ShownPhotoPath()
{
    return PhotoShow.shownPath;
}

void EndPhotoSlideshowProcess(int exitCode)
{
    if (!WaitForStoppedWorkers(250))
        TerminateProcess(GetCurrentProcess(), static_cast<UINT>(exitCode));
}
