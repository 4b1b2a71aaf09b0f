// COM, the Imaging Component and OleLoadPicture looked up at run time, and
// the list of extensions their decoders read.
#include "imaging_runtime.h"

#include <string.h>
#include <wincodec.h>

namespace {

typedef HRESULT(WINAPI* CoInitializeExProc)(LPVOID reserved, DWORD flags);
typedef HRESULT(WINAPI* CoInitializeProc)(LPVOID reserved);
typedef void(WINAPI* CoUninitializeProc)();
typedef HRESULT(WINAPI* CoCreateInstanceProc)(REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid,
                                              LPVOID* object);

// The Imaging Component's first factory, which every version from XP SP3 on
// provides.
const CLSID kImagingFactoryClass = {0xcacaf262, 0x9370, 0x4615, {0xa1, 0x3b, 0x9f, 0x55, 0x39, 0xda, 0x4c, 0x0a}};

// What OleLoadPicture reads, where the Imaging Component is missing.
const char kOlePictureExtensions[] = ";.bmp;.dib;.jpg;.jpeg;.jpe;.jfif;.gif;";

template <typename Proc>
Proc LookUp(HMODULE module, const char* name)
{
    if (!module)
        return NULL;
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Loaded once and kept for the process: the saver ends soon enough, and a
// library freed under another thread's objects would take them with it.
HMODULE Ole32()
{
    static HMODULE module = LoadLibraryA("ole32.dll");
    return module;
}

HMODULE OleAut32()
{
    static HMODULE module = LoadLibraryA("oleaut32.dll");
    return module;
}

// The extension list, filled once; 4 KB holds what a Windows 11 with every
// codec pack declares several times over.
char Extensions[4096];
LONG ExtensionsState = 0;  // 0 not yet, 1 being filled, 2 ready

// Appends the lower-cased ".a,.b" list a decoder declares, each once.
void AddExtensions(const WCHAR* declared, char* list, size_t size)
{
    char one[32];
    size_t length = 0;
    for (const WCHAR* p = declared;; ++p) {
        if (*p && *p != L',' && *p != L';' && *p != L' ') {
            if (length + 1 < sizeof one)
                one[length++] = (*p < 0x80) ? static_cast<char>(*p >= L'A' && *p <= L'Z' ? *p + 32 : *p) : '?';
            continue;
        }
        if (length > 1 && one[0] == '.') {
            one[length] = '\0';
            char needle[40];
            wsprintfA(needle, ";%s;", one);
            size_t used = strlen(list);
            if (!strstr(list, needle) && used + length + 1 < size) {
                memcpy(list + used, one + 0, length);
                list[used + length] = ';';
                list[used + length + 1] = '\0';
            }
        }
        length = 0;
        if (!*p)
            break;
    }
}

// Asks every installed decoder of the Imaging Component for its extensions.
BOOL ReadDecoderExtensions(char* list, size_t size)
{
    IWICImagingFactory* factory = CreateImagingFactory();
    if (!factory)
        return FALSE;
    IEnumUnknown* decoders = NULL;
    BOOL found = FALSE;
    lstrcpyA(list, ";");
    if (SUCCEEDED(factory->CreateComponentEnumerator(WICDecoder, WICComponentEnumerateDefault, &decoders))) {
        IUnknown* item = NULL;
        ULONG fetched = 0;
        while (decoders->Next(1, &item, &fetched) == S_OK && fetched == 1) {
            IWICBitmapCodecInfo* info = NULL;
            if (SUCCEEDED(item->QueryInterface(IID_IWICBitmapCodecInfo, reinterpret_cast<void**>(&info)))) {
                WCHAR declared[512];
                UINT length = 0;
                if (SUCCEEDED(info->GetFileExtensions(sizeof declared / sizeof declared[0], declared, &length))) {
                    declared[sizeof declared / sizeof declared[0] - 1] = L'\0';
                    AddExtensions(declared, list, size);
                    found = TRUE;
                }
                info->Release();
            }
            item->Release();
        }
        decoders->Release();
    }
    factory->Release();
    return found;
}

}  // namespace

BOOL StartImagingOnThread()
{
    CoInitializeExProc initializeEx = LookUp<CoInitializeExProc>(Ole32(), "CoInitializeEx");
    if (initializeEx)
        return SUCCEEDED(initializeEx(NULL, COINIT_MULTITHREADED));
    CoInitializeProc initialize = LookUp<CoInitializeProc>(Ole32(), "CoInitialize");
    return initialize && SUCCEEDED(initialize(NULL));
}

void EndImagingOnThread()
{
    CoUninitializeProc uninitialize = LookUp<CoUninitializeProc>(Ole32(), "CoUninitialize");
    if (uninitialize)
        uninitialize();
}

IWICImagingFactory* CreateImagingFactory()
{
    CoCreateInstanceProc create = LookUp<CoCreateInstanceProc>(Ole32(), "CoCreateInstance");
    IWICImagingFactory* factory = NULL;
    if (!create || FAILED(create(kImagingFactoryClass, NULL, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                 reinterpret_cast<void**>(&factory))))
        return NULL;
    return factory;
}

OleLoadPictureProc FindOleLoadPicture()
{
    return LookUp<OleLoadPictureProc>(OleAut32(), "OleLoadPicture");
}

CreateStreamOnHGlobalProc FindCreateStreamOnHGlobal()
{
    return LookUp<CreateStreamOnHGlobalProc>(Ole32(), "CreateStreamOnHGlobal");
}

PropVariantClearProc FindPropVariantClear()
{
    return LookUp<PropVariantClearProc>(Ole32(), "PropVariantClear");
}

const char* DecodableExtensions()
{
    // The first caller fills the list; one that comes meanwhile waits for it.
    if (InterlockedCompareExchange(&ExtensionsState, 1, 0) == 0) {
        if (!ReadDecoderExtensions(Extensions, sizeof Extensions))
            lstrcpyA(Extensions, kOlePictureExtensions);
        InterlockedExchange(&ExtensionsState, 2);
    }
    while (InterlockedCompareExchange(&ExtensionsState, 2, 2) != 2)
        Sleep(1);
    return Extensions;
}
