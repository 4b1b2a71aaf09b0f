// The system's picture decoders, found at run time: COM from ole32.dll and
// the Windows Imaging Component (XP SP3, Vista and later) where they are,
// OleLoadPicture of oleaut32.dll elsewhere. None of them is imported, so the
// saver still loads on Windows 98 and starts in the installed configuration
// without them.
#pragma once

#include <windows.h>
#include <objidl.h>

struct IWICImagingFactory;

// Initialises COM for the calling thread (a multithreaded apartment where
// the system has one). FALSE when ole32.dll cannot be had; then nothing
// else here works on this thread either.
BOOL StartImagingOnThread();

// Balances a successful StartImagingOnThread on the same thread.
void EndImagingOnThread();

// A new Imaging Component factory for the calling thread (COM started), to
// be released by the caller; NULL where the component is missing.
IWICImagingFactory* CreateImagingFactory();

// OleLoadPicture and CreateStreamOnHGlobal, for systems without the Imaging
// Component; NULL where missing.
typedef HRESULT(WINAPI* OleLoadPictureProc)(LPSTREAM stream, LONG size, BOOL runMode, REFIID iid, LPVOID* object);
typedef HRESULT(WINAPI* CreateStreamOnHGlobalProc)(HGLOBAL memory, BOOL deleteOnRelease, LPSTREAM* stream);
OleLoadPictureProc FindOleLoadPicture();
CreateStreamOnHGlobalProc FindCreateStreamOnHGlobal();

// PropVariantClear, for the values an Imaging Component metadata query
// returns; NULL where missing.
typedef HRESULT(WINAPI* PropVariantClearProc)(PROPVARIANT* value);
PropVariantClearProc FindPropVariantClear();

// The file extensions the system decodes, lower case, each with its dot and
// followed by ';' (";.bmp;.jpg;...;" with a leading ';' too): those the
// installed Imaging Component decoders declare, or, without the component,
// what OleLoadPicture reads (bitmaps, JPEG and GIF). Worked out on the first
// call from a thread with COM started, then kept for the process.
const char* DecodableExtensions();
