// The photo slideshow's window side: the pictures on screen, the ones the
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

// One area that shows photos: the saver window's drawing area, or, with
// pictures on every monitor, another monitor's blanking window.
struct PhotoScreen {
    HWND window;
    LONG x;  // the area's place and size in that window
    LONG y;
    LONG width;
    LONG height;
    PreparedPicture shown;  // on screen; empty before the first
    char shownPath[MAX_PATH];
};

struct PhotoShowState {
    PhotoWorker* worker;
    int screens;
    PhotoScreen screen[MAX_PHOTO_SCREENS];
    BOOL painted;    // the first paint has wiped the window
    BOOL areaBlack;  // nothing drawn since the last wipe
    BOOL due;        // a tick came before its pictures were ready
};

PhotoShowState PhotoShow;

// Wipes every screen to black together.
void WipeScreens()
{
    if (PhotoShow.screens == 1) {
        HDC dc = GetDC(PhotoShow.screen[0].window);
        if (dc) {
            WipeToBlack(dc);
            ReleaseDC(PhotoShow.screen[0].window, dc);
        }
        return;
    }
    HWND owners[MAX_PHOTO_SCREENS];
    HDC dcs[MAX_PHOTO_SCREENS] = {};
    SIZE areas[MAX_PHOTO_SCREENS] = {};
    int count = 0;
    for (int n = 0; n < PhotoShow.screens; ++n) {
        HDC dc = GetDC(PhotoShow.screen[n].window);
        if (!dc)
            continue;
        SetViewportOrgEx(dc, PhotoShow.screen[n].x, PhotoShow.screen[n].y, NULL);
        owners[count] = PhotoShow.screen[n].window;
        dcs[count] = dc;
        areas[count].cx = PhotoShow.screen[n].width;
        areas[count].cy = PhotoShow.screen[n].height;
        ++count;
    }
    WipeAreasToBlack(dcs, areas, count);
    for (int n = 0; n < count; ++n)
        ReleaseDC(owners[n], dcs[n]);
}

// Draws each screen's picture; without a wipe just before, what lies around
// it is made black first (another window may have painted there since).
void DrawScreens(BOOL wiped)
{
    for (int n = 0; n < PhotoShow.screens; ++n) {
        PhotoScreen* screen = &PhotoShow.screen[n];
        HDC dc = GetDC(screen->window);
        if (!dc)
            continue;
        if (!wiped)
            BlackenAroundPicture(dc, screen->x, screen->y, screen->width, screen->height, &screen->shown);
        DrawPreparedPicture(dc, screen->x, screen->y, &screen->shown);
        ReleaseDC(screen->window, dc);
    }
}

// Draws what the worker has ready in place of the pictures on screen, all
// screens at once. FALSE when not every screen's picture is ready yet.
BOOL ShowNextPrepared()
{
    if (!PhotoShow.worker || !PreparedPicturesReady(PhotoShow.worker)) {
        if (PhotoShow.worker)
            return FALSE;
    }
    BOOL nothing = !PhotoShow.worker;
    for (int n = 0; n < PhotoShow.screens && !nothing; ++n) {
        PhotoScreen* screen = &PhotoShow.screen[n];
        PreparedPicture next;
        char path[MAX_PATH];
        ZeroMemory(&next, sizeof next);
        WorkerOutcome outcome = TakePreparedPicture(PhotoShow.worker, n, &next, path);
        if (outcome == WORKER_READY) {
            ReleasePreparedPicture(&screen->shown);
            screen->shown = next;
            lstrcpynA(screen->shownPath, path, MAX_PATH);
        } else if (n == 0) {
            nothing = TRUE;
        }
        // A list too short for every monitor leaves the others' pictures
        // as they are.
    }
    if (nothing) {
        // Nothing can be shown: the window is left black and the saver ends,
        // as with an empty pictures directory.
        if (!PhotoShow.areaBlack)
            WipeScreens();
        PostQuitMessage(0);
        return TRUE;
    }
    BOOL wipe = !PhotoShow.areaBlack;
    if (wipe)
        WipeScreens();
    DrawScreens(wipe);
    PhotoShow.areaBlack = FALSE;
    return TRUE;
}

void AddScreen(HWND window, LONG x, LONG y, LONG width, LONG height)
{
    if (PhotoShow.screens >= MAX_PHOTO_SCREENS)
        return;
    PhotoScreen* screen = &PhotoShow.screen[PhotoShow.screens++];
    screen->window = window;
    screen->x = x;
    screen->y = y;
    screen->width = width;
    screen->height = height;
}

void OnPhotoCreate(HWND window, const CREATESTRUCTA* creation)
{
    ReadSaverSettings(SaverSettings.installedPath, &SaverSettings.fullscreen, &SaverSettings.updateRate);
    DrawingArea.X = creation->x;
    DrawingArea.Y = creation->y;
    DrawingArea.Width = creation->cx;
    DrawingArea.Height = creation->cy;
    ZeroMemory(&PhotoShow, sizeof PhotoShow);
    AddScreen(window, 0, 0, creation->cx, creation->cy);
    PhotoSettings settings;
    ReadPhotoSettings(&settings);
    PictureFit fits[MAX_PHOTO_SCREENS];
    for (int n = 0; n < PhotoShow.screens; ++n) {
        fits[n].areaWidth = PhotoShow.screen[n].width;
        fits[n].areaHeight = PhotoShow.screen[n].height;
        fits[n].keepProportions = settings.keepProportions != 0;
        fits[n].fullscreen = SaverSettings.fullscreen != 0;
    }
    PhotoShow.worker = StartPhotoWorker(&settings, SaverSettings.installedPath, fits, PhotoShow.screens, window,
                                        WM_PHOTO_PREPARED);
    InvalidateRect(window, NULL, FALSE);
    SetTimer(window, SLIDESHOW_TIMER_ID, static_cast<UINT>(SaverSettings.updateRate) * 1000u, NULL);
}

// Every paint wipes and draws the pictures on screen again; the first one
// wipes the desktop away and shows the first pictures if they are ready.
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
        ReleaseDC(window, dc);
        WipeScreens();
        PhotoShow.areaBlack = TRUE;
        PhotoShow.due = !ShowNextPrepared();
        return;
    }
    if (!PhotoShow.screen[0].shown.pixels)
        return;
    WipeScreens();
    DrawScreens(TRUE);
}

void OnPhotoTimer()
{
    if (!PhotoShow.painted)
        return;
    PhotoShow.due = !ShowNextPrepared();
}

// Pictures the worker finished are drawn at once only when their turn has
// come already; otherwise they wait for the tick.
void OnPhotoPrepared()
{
    if (PhotoShow.due && !SaverRuntime.ClosingAllowed)
        PhotoShow.due = !ShowNextPrepared();
}

void OnPhotoDestroy(HWND window)
{
    if (PhotoShow.worker)
        StopPhotoWorker(PhotoShow.worker);
    PhotoShow.worker = NULL;
    for (int n = 0; n < PhotoShow.screens; ++n)
        ReleasePreparedPicture(&PhotoShow.screen[n].shown);
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
            OnPhotoTimer();
        return 0;
    case WM_PHOTO_PREPARED:
        OnPhotoPrepared();
        return 0;
    case WM_DESTROY:
        OnPhotoDestroy(window);
        return 0;
    }
    return DefaultSaverProc(window, message, wParam, lParam);
}

const PreparedPicture* ShownPhoto()
{
    return &PhotoShow.screen[0].shown;
}

const char* ShownPhotoPath()
{
    return PhotoShow.screen[0].shownPath;
}

void EndPhotoSlideshowProcess(int exitCode)
{
    if (!WaitForStoppedWorkers(250))
        TerminateProcess(GetCurrentProcess(), static_cast<UINT>(exitCode));
}
