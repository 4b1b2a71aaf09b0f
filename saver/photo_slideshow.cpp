// The photo slideshow's window side: the pictures on screen, the ones the
// worker prepares, and when each is drawn.
#include "photo_slideshow.h"

#include "blanking_windows.h"
#include "crossfade.h"
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
    CrossfadeFrame from;    // during a crossfade: the old picture, the new
    CrossfadeFrame to;      // one, and the blend between them
    CrossfadeFrame work;
};

// The timer of the crossfade's steps, beside the slideshow's own.
#define CROSSFADE_TIMER_ID 2

struct PhotoShowState {
    HWND window;     // the saver window
    PhotoWorker* worker;
    PhotoSettings settings;
    BOOL crossfade;  // the pictures blend into each other instead of the wipe
    BOOL fading;     // a crossfade is under way
    DWORD fadeStart;
    int screens;
    PhotoScreen screen[MAX_PHOTO_SCREENS];
    BOOL deferred;   // the worker starts at the first paint, with every monitor
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

void ReleaseFrames()
{
    for (int n = 0; n < PhotoShow.screens; ++n) {
        ReleaseCrossfadeFrame(&PhotoShow.screen[n].from);
        ReleaseCrossfadeFrame(&PhotoShow.screen[n].to);
        ReleaseCrossfadeFrame(&PhotoShow.screen[n].work);
    }
}

// Ends a crossfade under way with the new pictures on screen.
void EndCrossfade()
{
    if (!PhotoShow.fading)
        return;
    PhotoShow.fading = FALSE;
    KillTimer(PhotoShow.window, CROSSFADE_TIMER_ID);
    ReleaseFrames();
    DrawScreens(FALSE);
}

// One step of the crossfade on every screen, at the fraction its time has
// reached; the last step ends it.
void StepCrossfade()
{
    LONG fraction = CrossfadeFraction(GetTickCount() - PhotoShow.fadeStart);
    for (int n = 0; n < PhotoShow.screens; ++n) {
        PhotoScreen* screen = &PhotoShow.screen[n];
        HDC dc = GetDC(screen->window);
        if (!dc)
            continue;
        BOOL drawn = DrawCrossfade(dc, screen->x, screen->y, &screen->from, &screen->to, &screen->work, fraction);
        ReleaseDC(screen->window, dc);
        if (!drawn)
            fraction = CROSSFADE_FULL;
    }
    if (fraction >= CROSSFADE_FULL)
        EndCrossfade();
}

// Starts blending the pictures on screen (`old`, black where there were
// none) into the new ones. FALSE, with nothing drawn, when the frames cannot
// be had: the caller wipes instead.
BOOL StartCrossfade(const PreparedPicture* old, BOOL oldBlack)
{
    BOOL made = TRUE;
    for (int n = 0; n < PhotoShow.screens && made; ++n) {
        PhotoScreen* screen = &PhotoShow.screen[n];
        made = CreateCrossfadeFrame(screen->width, screen->height, &screen->from) &&
               CreateCrossfadeFrame(screen->width, screen->height, &screen->to) &&
               CreateCrossfadeFrame(screen->width, screen->height, &screen->work);
        if (made) {
            if (!oldBlack)
                PutPictureInFrame(&old[n], &screen->from);
            PutPictureInFrame(&screen->shown, &screen->to);
        }
    }
    HDC dc = made ? GetDC(PhotoShow.window) : NULL;
    if (!dc) {
        ReleaseFrames();
        return FALSE;
    }
    UINT interval = CrossfadeStepInterval(dc);
    ReleaseDC(PhotoShow.window, dc);
    PhotoShow.fading = TRUE;
    PhotoShow.fadeStart = GetTickCount();
    SetTimer(PhotoShow.window, CROSSFADE_TIMER_ID, interval, NULL);
    StepCrossfade();
    return TRUE;
}

// Draws what the worker has ready in place of the pictures on screen, all
// screens at once: blended in, or after the wipe. FALSE when not every
// screen's picture is ready yet.
BOOL ShowNextPrepared()
{
    if (PhotoShow.worker && !PreparedPicturesReady(PhotoShow.worker))
        return FALSE;
    EndCrossfade();
    PreparedPicture old[MAX_PHOTO_SCREENS];
    ZeroMemory(old, sizeof old);
    BOOL nothing = !PhotoShow.worker;
    for (int n = 0; n < PhotoShow.screens && !nothing; ++n) {
        PhotoScreen* screen = &PhotoShow.screen[n];
        PreparedPicture next;
        char path[MAX_PATH];
        ZeroMemory(&next, sizeof next);
        WorkerOutcome outcome = TakePreparedPicture(PhotoShow.worker, n, &next, path);
        if (outcome == WORKER_READY) {
            old[n] = screen->shown;
            screen->shown = next;
            lstrcpynA(screen->shownPath, path, MAX_PATH);
        } else if (n == 0) {
            nothing = TRUE;
        } else {
            // A list too short for every monitor leaves the others' pictures
            // as they are.
            old[n] = screen->shown;
        }
    }
    if (nothing) {
        // Nothing can be shown: the window is left black and the saver ends,
        // as with an empty pictures directory.
        if (!PhotoShow.areaBlack)
            WipeScreens();
        PostQuitMessage(0);
        return TRUE;
    }
    BOOL blended = PhotoShow.crossfade && StartCrossfade(old, PhotoShow.areaBlack);
    if (!blended) {
        BOOL wipe = !PhotoShow.areaBlack;
        if (wipe)
            WipeScreens();
        DrawScreens(wipe);
    }
    for (int n = 0; n < PhotoShow.screens; ++n)
        if (old[n].pixels != PhotoShow.screen[n].shown.pixels)
            ReleasePreparedPicture(&old[n]);
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

// Starts the worker for the screens known now.
void StartWorker()
{
    PictureFit fits[MAX_PHOTO_SCREENS];
    for (int n = 0; n < PhotoShow.screens; ++n) {
        fits[n].areaWidth = PhotoShow.screen[n].width;
        fits[n].areaHeight = PhotoShow.screen[n].height;
        fits[n].keepProportions = PhotoShow.settings.keepProportions != 0;
        fits[n].fullscreen = SaverSettings.fullscreen != 0;
    }
    PhotoShow.worker = StartPhotoWorker(&PhotoShow.settings, SaverSettings.installedPath, fits, PhotoShow.screens,
                                        PhotoShow.window, WM_PHOTO_PREPARED);
}

// With pictures on every monitor, the blanking windows of the other
// monitors (made after the saver window) become screens of their own.
void AddOtherMonitors()
{
    HWND others[MAX_PHOTO_SCREENS];
    int count = FindBlankingWindows(PhotoShow.window, others, MAX_PHOTO_SCREENS - 1);
    for (int n = 0; n < count; ++n) {
        RECT client;
        if (GetClientRect(others[n], &client) && client.right > 0 && client.bottom > 0)
            AddScreen(others[n], 0, 0, client.right, client.bottom);
    }
}

void OnPhotoCreate(HWND window, const CREATESTRUCTA* creation)
{
    ReadSaverSettings(SaverSettings.installedPath, &SaverSettings.fullscreen, &SaverSettings.updateRate);
    DrawingArea.X = creation->x;
    DrawingArea.Y = creation->y;
    DrawingArea.Width = creation->cx;
    DrawingArea.Height = creation->cy;
    ZeroMemory(&PhotoShow, sizeof PhotoShow);
    PhotoShow.window = window;
    ReadPhotoSettings(&PhotoShow.settings);
    PhotoShow.crossfade = PhotoShow.settings.transition == TRANSITION_CROSSFADE && CrossfadeAvailable();
    AddScreen(window, 0, 0, creation->cx, creation->cy);
    // The other monitors' windows come after this one: with pictures on
    // every monitor the worker starts once they are there, at the first paint.
    PhotoShow.deferred = PhotoShow.settings.allMonitors && !SaverRuntime.IsPreview;
    if (!PhotoShow.deferred)
        StartWorker();
    InvalidateRect(window, NULL, FALSE);
    SetTimer(window, SLIDESHOW_TIMER_ID, static_cast<UINT>(SaverSettings.updateRate) * 1000u, NULL);
}

// Every paint wipes and draws the pictures on screen again (with the
// crossfade, draws them); the first one wipes the desktop away and shows the
// first pictures if they are ready.
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
        if (PhotoShow.deferred) {
            AddOtherMonitors();
            StartWorker();
        }
        WipeScreens();
        PhotoShow.areaBlack = TRUE;
        PhotoShow.due = !ShowNextPrepared();
        return;
    }
    if (!PhotoShow.screen[0].shown.pixels)
        return;
    if (PhotoShow.crossfade) {
        EndCrossfade();
        DrawScreens(FALSE);
        return;
    }
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
    KillTimer(window, CROSSFADE_TIMER_ID);
    ReleaseFrames();
    PhotoShow.fading = FALSE;
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
        else if (wParam == CROSSFADE_TIMER_ID && PhotoShow.fading)
            StepCrossfade();
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

BOOL RepaintPhotoScreen(HWND window)
{
    for (int n = 1; n < PhotoShow.screens; ++n) {
        PhotoScreen* screen = &PhotoShow.screen[n];
        if (screen->window != window)
            continue;
        ValidateRect(window, NULL);
        HDC dc = GetDC(window);
        if (dc) {
            BlackenAroundPicture(dc, screen->x, screen->y, screen->width, screen->height, &screen->shown);
            DrawPreparedPicture(dc, screen->x, screen->y, &screen->shown);
            ReleaseDC(window, dc);
        }
        return TRUE;
    }
    return FALSE;
}

int PhotoScreenCount()
{
    return PhotoShow.screens;
}

const PreparedPicture* ShownPhotoOn(int screen)
{
    return &PhotoShow.screen[screen].shown;
}

BOOL CrossfadeUnderWay()
{
    return PhotoShow.fading;
}

const char* ShownPhotoPath()
{
    return PhotoShow.screen[0].shownPath;
}

void EndPhotoSlideshowProcess(int exitCode)
{
    if (!WaitForStoppedWorkers(50))
        TerminateProcess(GetCurrentProcess(), static_cast<UINT>(exitCode));
}
