// The wide-character kernel calls that the statically linked runtime makes
// (libgcc's locks, the C library's look-ups of msvcrt.dll), answered with
// their ANSI forms. The Windows 95 family has no working wide forms of these,
// so the programs define the import slots themselves and import only the
// ANSI functions, which every 32-bit Windows has.
#include <windows.h>

#if defined(__i386__)
#define IMPORT_SLOT(name, argumentBytes) "__imp__" #name "@" #argumentBytes
#else
#define IMPORT_SLOT(name, argumentBytes) "__imp_" #name
#endif

namespace {

// A wide name as ANSI text; FALSE when it does not fit or does not convert.
BOOL NarrowName(LPCWSTR wide, char (&narrow)[MAX_PATH])
{
    if (WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, MAX_PATH, NULL, NULL) != 0)
        return TRUE;
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return FALSE;
}

HANDLE WINAPI CreateSemaphoreAnsi(LPSECURITY_ATTRIBUTES attributes, LONG initialCount, LONG maximumCount,
                                  LPCWSTR name)
{
    char narrow[MAX_PATH];
    if (name && !NarrowName(name, narrow))
        return NULL;
    return CreateSemaphoreA(attributes, initialCount, maximumCount, name ? narrow : NULL);
}

HMODULE WINAPI GetModuleHandleAnsi(LPCWSTR name)
{
    char narrow[MAX_PATH];
    if (name && !NarrowName(name, narrow))
        return NULL;
    return GetModuleHandleA(name ? narrow : NULL);
}

HMODULE WINAPI LoadLibraryAnsi(LPCWSTR name)
{
    char narrow[MAX_PATH];
    if (!name || !NarrowName(name, narrow))
        return NULL;
    return LoadLibraryA(narrow);
}

}  // namespace

// The slots the runtime's calls go through, in place of the import library's.
extern "C" {
void* AnsiCreateSemaphoreSlot __asm__(IMPORT_SLOT(CreateSemaphoreW, 16)) =
    reinterpret_cast<void*>(&CreateSemaphoreAnsi);
void* AnsiGetModuleHandleSlot __asm__(IMPORT_SLOT(GetModuleHandleW, 4)) =
    reinterpret_cast<void*>(&GetModuleHandleAnsi);
void* AnsiLoadLibrarySlot __asm__(IMPORT_SLOT(LoadLibraryW, 4)) = reinterpret_cast<void*>(&LoadLibraryAnsi);
}
