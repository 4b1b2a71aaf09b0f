// CFile: a binary file through the Win32 file functions. Failures are
// reported by results: Open returns FALSE, Read a short count, Write FALSE.
#pragma once

#include "cstring.h"
#include "object.h"

class CFileException;

class CFile : public CObject {
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };
    static const HANDLE hFileNull;

    CFile() = default;
    ~CFile() override;

    HANDLE m_hFile = INVALID_HANDLE_VALUE;

    BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL);
    DWORD GetLength() const;
    UINT Read(void* lpBuf, UINT nCount);
    BOOL Write(const void* lpBuf, UINT nCount);
    void Close();
    const CString& GetFilePath() const { return m_strFileName; }

private:
    CString m_strFileName;
};

// Accepted for the signature's sake; nothing is stored in it.
class CFileException {};
