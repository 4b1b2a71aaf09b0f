// Starting MARLO.EXE and finding its windows.
#include "marlo_process.h"

using namespace vrxtest;

namespace marlotest {

const char kFrameTitle[] = "Economiseur d'\xE9" "cran VRX2";
const char kDestinationTitle[] = "Destination directory";
const char kExitTitle[] = "Sortir";

std::string MarloPath() { return JoinPath(JoinPath(BuildDirectory(), "dist"), "MARLO.EXE"); }

MarloProcess::~MarloProcess()
{
    if (child_.Running())
        child_.Kill();
}

bool MarloProcess::Start(const std::string& arguments)
{
    return child_.Start(MarloPath(), arguments, JoinPath(BuildDirectory(), "dist"));
}

HWND MarloProcess::WaitDialog(const char* title, DWORD timeoutMs)
{
    // Found once visible and enabled: a dialog still in its initialisation
    // does not take clicks yet.
    HWND found = NULL;
    PumpUntil([&] {
        found = FindProcessWindow(child_.Id(), "#32770", title);
        return found && IsWindowVisible(found) && IsWindowEnabled(found);
    }, timeoutMs);
    if (found && !(IsWindowVisible(found) && IsWindowEnabled(found)))
        found = NULL;
    return found;
}

namespace {
struct FrameSearch {
    DWORD processId;
    HWND found;
};
BOOL CALLBACK MatchFrame(HWND window, LPARAM lParam)
{
    FrameSearch* search = reinterpret_cast<FrameSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || ClassName(window) == "#32770" || WindowText(window) != kFrameTitle)
        return TRUE;
    search->found = window;
    return FALSE;
}
}  // namespace

HWND MarloProcess::Frame()
{
    FrameSearch search = {child_.Id(), NULL};
    EnumWindows(MatchFrame, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND MarloProcess::View()
{
    HWND frame = Frame();
    return frame ? FindWindowExA(frame, NULL, NULL, NULL) : NULL;
}

DWORD MarloProcess::WaitExit(DWORD timeoutMs)
{
    if (!child_.WaitPumping(timeoutMs))
        return 0xDEADBEEF;
    return child_.ExitCode();
}

void Click(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

std::string ItemText(HWND dialog, int id)
{
    // WM_GETTEXT reaches the control itself; GetWindowText of another
    // process's edit would not.
    char text[1024] = "";
    LRESULT length = SendMessageA(GetDlgItem(dialog, id), WM_GETTEXT, sizeof text, (LPARAM)text);
    return std::string(text, length > 0 ? (size_t)length : 0);
}

COLORREF ScreenPixelOf(HWND window, int x, int y)
{
    POINT p = {x, y};
    ClientToScreen(window, &p);
    HDC screen = GetDC(NULL);
    COLORREF colour = GetPixel(screen, p.x, p.y);
    ReleaseDC(NULL, screen);
    return colour;
}

bool WaitGone(HWND window, DWORD timeoutMs)
{
    return PumpUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs);
}

}  // namespace marlotest
