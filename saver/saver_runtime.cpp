// The saver's one instance of process-wide state.
#include "saver_runtime.h"

SaverRuntimeState SaverRuntime = {
    NULL, NULL, FALSE, FALSE,                          // start-up
    FALSE, FALSE, NULL, NULL, NULL, NULL, NULL,        // closing and password
    DEFAULT_MOUSE_THRESHOLD, {0, 0}, VERIFY_TICK_NEVER,
};

void ResetSaverRuntime()
{
    HINSTANCE instance = SaverRuntime.Instance;
    BOOL win95 = SaverRuntime.IsWin95Family;
    ZeroMemory(&SaverRuntime, sizeof SaverRuntime);
    SaverRuntime.Instance = instance;
    SaverRuntime.IsWin95Family = win95;
    SaverRuntime.MouseThreshold = DEFAULT_MOUSE_THRESHOLD;
    SaverRuntime.LastVerifyTick = VERIFY_TICK_NEVER;
}
