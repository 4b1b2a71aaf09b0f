// The shell's folder browser, looked up at run time: the saver's start-up
// in the installed configuration loads no shell DLL, so neither does the
// configuration dialog until the user asks for a folder.
#include "folder_browser.h"

#include <objbase.h>
#include <shlobj.h>

namespace {

typedef LPITEMIDLIST(WINAPI* BrowseProc)(LPBROWSEINFOA);
typedef BOOL(WINAPI* PathFromIdListProc)(LPCITEMIDLIST, LPSTR);
typedef HRESULT(WINAPI* GetMallocProc)(IMalloc**);
typedef HRESULT(WINAPI* CoInitializeProc)(LPVOID);
typedef void(WINAPI* CoUninitializeProc)();

template <typename Proc>
Proc LookUp(HMODULE module, const char* name)
{
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Opens the browser at the folder it was given, when there is one.
int CALLBACK OnBrowserEvent(HWND browser, UINT message, LPARAM, LPARAM start)
{
    if (message == BFFM_INITIALIZED && start)
        SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, start);
    return 0;
}

BOOL RunBrowser(HMODULE shell, HWND owner, const char* start, char* chosen)
{
    BrowseProc browse = LookUp<BrowseProc>(shell, "SHBrowseForFolderA");
    PathFromIdListProc pathFromIdList = LookUp<PathFromIdListProc>(shell, "SHGetPathFromIDListA");
    GetMallocProc getMalloc = LookUp<GetMallocProc>(shell, "SHGetMalloc");
    IMalloc* allocator = NULL;
    if (!browse || !pathFromIdList || !getMalloc || FAILED(getMalloc(&allocator)) || !allocator)
        return FALSE;

    char displayName[MAX_PATH] = "";
    BROWSEINFOA info = {};
    info.hwndOwner = owner;
    info.pszDisplayName = displayName;
    info.lpszTitle = FOLDER_BROWSER_TITLE;
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = OnBrowserEvent;
    info.lParam = reinterpret_cast<LPARAM>(start && start[0] && GetFileAttributesA(start) != INVALID_FILE_ATTRIBUTES
                                               ? start
                                               : NULL);
    BOOL found = FALSE;
    LPITEMIDLIST item = browse(&info);
    if (item) {
        char path[MAX_PATH] = "";
        found = pathFromIdList(item, path) && path[0];
        if (found)
            lstrcpynA(chosen, path, MAX_PATH);
        allocator->Free(item);
    }
    allocator->Release();
    return found;
}

}  // namespace

// The shell asks for COM on the browsing thread; it is started here for the
// browser's lifetime only, when ole32 is there to start it. The two DLLs stay
// loaded: the shell may keep threads and windows of its own after the
// browser has closed.
BOOL BrowseForPictureFolder(HWND owner, const char* start, char* chosen)
{
    HMODULE shell = LoadLibraryA("shell32.dll");
    if (!shell)
        return FALSE;
    HMODULE ole = LoadLibraryA("ole32.dll");
    CoInitializeProc coInitialize = ole ? LookUp<CoInitializeProc>(ole, "CoInitialize") : NULL;
    CoUninitializeProc coUninitialize = ole ? LookUp<CoUninitializeProc>(ole, "CoUninitialize") : NULL;
    bool started = coInitialize && coUninitialize && SUCCEEDED(coInitialize(NULL));

    BOOL found = RunBrowser(shell, owner, start, chosen);

    if (started)
        coUninitialize();
    return found;
}
