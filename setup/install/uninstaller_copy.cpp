// Copying ssunins.exe through CFile.
#include "uninstaller_copy.h"

#include <stdlib.h>

#include "file.h"

BOOL CopyUninstaller(const char* source, const char* destination)
{
    CFile from;
    if (!from.Open(source, CFile::modeRead))
        return FALSE;
    DWORD length = from.GetLength();
    BYTE* block = static_cast<BYTE*>(malloc(length ? length : 1));
    if (!block) {
        from.Close();
        return FALSE;
    }
    BOOL copied = FALSE;
    // The destination is opened only once the whole source is in memory.
    if (from.Read(block, length) == length) {
        CFile to;
        if (to.Open(destination, CFile::modeCreate | CFile::modeWrite)) {
            copied = to.Write(block, length);
            to.Close();
            if (!copied)
                ::DeleteFileA(destination);
        }
    }
    free(block);
    from.Close();
    return copied;
}
