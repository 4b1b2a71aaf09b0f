// The saver's main line: platform check, the switch on the command line and
// the modes that need no window of their own.
#include "saver_modes.h"

#include <commctrl.h>

#include "config_dialog.h"
#include "saver_procs.h"
#include "saver_runtime.h"
#include "windows_family.h"
#include "res/resource.h"

namespace {

const char* SkipBlanks(const char* p)
{
    while (*p == ' ')
        ++p;
    return p;
}

}  // namespace

// The program name ends at its closing quote, or at the first character
// that is not above the space; the blanks after it are skipped.
const char* SkipProgramName(const char* commandLine)
{
    const char* p = commandLine;
    if (*p == '"') {
        p = CharNextA(p);
        while (*p && *p != '"')
            p = CharNextA(p);
        if (*p == '"')
            ++p;
    } else {
        while (static_cast<unsigned char>(*p) > ' ')
            ++p;
    }
    while (*p && static_cast<unsigned char>(*p) <= ' ')
        ++p;
    return p;
}

int SaverMain(HINSTANCE instance, const char* arguments)
{
    SaverRuntime.Instance = instance;
    SaverRuntime.IsWin95Family = IsWindows95Family();
    return RunWithFaultGuard(DispatchSaverMode, arguments);
}

// The first character that is not a separator picks the mode.
int DispatchSaverMode(const char* arguments)
{
    for (const char* p = arguments;; ++p) {
        switch (*p) {
        case '\0':
            return RunConfiguration(NULL);
        case ' ':
        case '-':
        case '/':
            continue;
        case 'S':
        case 's':
            return RunSaverWindow(NULL);
        case 'C':
        case 'c':
            return RunConfiguration(GetForegroundWindow());
        case 'P':
        case 'p':
        case 'L':
        case 'l':
            return RunPreview(SkipBlanks(p + 1));
        case 'A':
        case 'a':
            if (!SaverRuntime.IsWin95Family)
                return SAVER_EXIT_REFUSED;
            return RunChangePassword(SkipBlanks(p + 1));
        default:
            return SAVER_EXIT_REFUSED;
        }
    }
}

int RunPreview(const char* text)
{
    HWND parent = ParseWindowHandle(text);
    if (!parent || !IsWindow(parent))
        return SAVER_EXIT_REFUSED;
    return RunSaverWindow(parent);
}

// Decimal digits up to the first other character, in 32-bit arithmetic that
// wraps as it overflows: a number too large for a handle names no window.
HWND ParseWindowHandle(const char* text)
{
    DWORD value = 0;
    for (const char* p = text; *p >= '0' && *p <= '9'; ++p)
        value = value * 10 + static_cast<DWORD>(*p - '0');
    return reinterpret_cast<HWND>(static_cast<ULONG_PTR>(value));
}

int RunConfiguration(HWND parent)
{
    RegisterSaverDialogClasses(SaverRuntime.Instance);
    return static_cast<int>(DialogBoxParamA(SaverRuntime.Instance, MAKEINTRESOURCEA(IDD_CONFIGURE), parent,
                                            ConfigDialogProc, 0));
}

int RegisterSaverDialogClasses(HINSTANCE)
{
    InitCommonControls();
    return 1;
}
