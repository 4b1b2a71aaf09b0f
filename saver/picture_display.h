// Putting one picture file on the saver window: the strip wipe to black,
// the mapped file, its palette and DIB section, and the drawing.
#pragma once

#include <windows.h>

// The position and size the saver window was created with.
struct DrawingAreaRecord {
    LONG X;
    LONG Y;
    LONG Width;
    LONG Height;
};

extern DrawingAreaRecord DrawingArea;

// Direction of the last wipe; each wipe advances it first, so the first
// picture of a run (from 1) wipes with style 2: bottom to top.
extern LONG WipeStyle;

#define WIPE_TOP_TO_BOTTOM 0
#define WIPE_LEFT_TO_RIGHT 1
#define WIPE_BOTTOM_TO_TOP 2
#define WIPE_RIGHT_TO_LEFT 3
#define WIPE_STYLE_AT_START WIPE_LEFT_TO_RIGHT

// Text and caption of the saver's one message box.
#define OUT_OF_MEMORY_TEXT "Out of memory !"
#define OUT_OF_MEMORY_CAPTION "Fatal Error in screen saver"

// Wipes the window to black, then maps the file and draws it, stretched or
// centred. Ends the saver (posts the quit message) when the window has no
// device context or the file cannot be opened and mapped.
void ShowPictureFile(const char* path, HWND window);

// Paints the drawing area black one-pixel strip by strip, in the direction
// after the last one, yielding 1 ms every 32 strips.
void WipeToBlack(HDC dc);

// The allocators and the pause that ShowPictureFile and WipeToBlack call:
// LocalAlloc, GlobalAlloc and Sleep. The tests put failing allocators here
// to reach the out-of-memory paths, and a recorder in place of the pause to
// look at the wipe between its strips.
typedef HLOCAL(WINAPI* LocalAllocProc)(UINT flags, SIZE_T bytes);
typedef HGLOBAL(WINAPI* GlobalAllocProc)(UINT flags, SIZE_T bytes);
typedef void(WINAPI* SleepProc)(DWORD milliseconds);
extern LocalAllocProc PictureLocalAlloc;
extern GlobalAllocProc PictureGlobalAlloc;
extern SleepProc WipeSleep;

// The steps of ShowPictureFile, in order, as reported to PicturePhaseDone.
enum PicturePhase {
    PICTURE_PHASE_WIPE = 0,     // the device contexts and the wipe
    PICTURE_PHASE_MAP = 1,      // opening and mapping the file, the header block
    PICTURE_PHASE_PALETTE = 2,  // an 8-bit picture's palette, built and realised
    PICTURE_PHASE_SECTION = 3,  // the DIB section
    PICTURE_PHASE_COPY = 4,     // the pixel array copied into it
    PICTURE_PHASE_DRAW = 5,     // the blit to the window
    PICTURE_PHASE_RELEASE = 6,  // everything given back
    PICTURE_PHASE_COUNT = 7
};

// Told as each step ends: a picture that is drawn reports all seven in
// order (the palette step too, empty without a palette), a file that cannot
// be opened only the wipe. NULL, the saver's own setting, reports nothing.
// The benchmark times the steps through it.
typedef void (*PicturePhaseProc)(PicturePhase finished);
extern PicturePhaseProc PicturePhaseDone;
