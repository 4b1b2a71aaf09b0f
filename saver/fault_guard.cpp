// A frame-based exception handler around the saver's modes. GCC has no
// __try/__except, so the handler is registered by hand: on x86 by linking an
// EXCEPTION_REGISTRATION record into the chain at fs:[0], on x64 through the
// unwind tables with MinGW's __try1/__except1.
#include "saver_modes.h"

#include <excpt.h>

#include "saver_procs.h"

namespace {

// Reports the fault to the platform, tells Windows 95 that no saver runs any
// more, and ends the process with the fault's code; it never returns.
__declspec(noreturn) void EndAfterFault(EXCEPTION_POINTERS* pointers)
{
    UnhandledExceptionFilter(pointers);
    SetSaverRunning(FALSE);
    ExitProcess(pointers->ExceptionRecord->ExceptionCode);
}

}  // namespace

#if defined(__i386__)

extern "C" EXCEPTION_DISPOSITION __cdecl SaverFaultHandler(EXCEPTION_RECORD* record, void*, CONTEXT* context,
                                                           void*)
{
    if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND))
        return ExceptionContinueSearch;
    EXCEPTION_POINTERS pointers = {record, context};
    EndAfterFault(&pointers);
}

int RunWithFaultGuard(int (*fn)(const char*), const char* argument)
{
    struct Registration {
        Registration* previous;
        void* handler;
    };
    volatile Registration registration;
    Registration* previous;
    __asm__ __volatile__("movl %%fs:0, %0" : "=r"(previous));
    registration.previous = previous;
    registration.handler = reinterpret_cast<void*>(SaverFaultHandler);
    __asm__ __volatile__("movl %0, %%fs:0" : : "r"(&registration) : "memory");
    int result = fn(argument);
    __asm__ __volatile__("movl %0, %%fs:0" : : "r"(previous) : "memory");
    return result;
}

#else

extern "C" LONG SaverFaultFilter(EXCEPTION_POINTERS* pointers, void*)
{
    EndAfterFault(pointers);
}

int RunWithFaultGuard(int (*fn)(const char*), const char* argument)
{
    int result;
    __try1(SaverFaultFilter)
    {
        result = fn(argument);
    }
    __except1;
    return result;
}

#endif
