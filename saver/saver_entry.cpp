// The program's entry: strips the program name from the raw command line and
// hands the rest to the mode dispatch.
#include "saver_modes.h"

extern "C" void WINAPI SaverEntry()
{
    const char* arguments = SkipProgramName(GetCommandLineA());
    ExitProcess(static_cast<UINT>(SaverMain(GetModuleHandleA(NULL), arguments)));
}

// The runtime's own start-up (static data, the heap, the C library) runs
// first and then calls WinMain, which is only the way into SaverEntry.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    SaverEntry();
}
