// CFile.
#include "file.h"

IMPLEMENT_DYNAMIC(CFile, CObject)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

CFile::~CFile() { Close(); }

BOOL CFile::Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException*)
{
    Close();
    DWORD access = 0;
    switch (nOpenFlags & 3) {
    case modeRead: access = GENERIC_READ; break;
    case modeWrite: access = GENERIC_WRITE; break;
    case modeReadWrite: access = GENERIC_READ | GENERIC_WRITE; break;
    default: return FALSE;
    }
    DWORD share = 0;
    switch (nOpenFlags & 0x70) {
    case 0:
    case shareDenyNone: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    case shareExclusive: share = 0; break;
    case shareDenyWrite: share = FILE_SHARE_READ; break;
    case shareDenyRead: share = FILE_SHARE_WRITE; break;
    default: return FALSE;
    }
    DWORD disposition = OPEN_EXISTING;
    if (nOpenFlags & modeCreate)
        disposition = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    SECURITY_ATTRIBUTES sa = {sizeof sa, NULL, (nOpenFlags & modeNoInherit) ? FALSE : TRUE};
    HANDLE hFile = ::CreateFileA(lpszFileName, access, share, &sa, disposition, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    m_hFile = hFile;
    m_strFileName = lpszFileName;
    return TRUE;
}

DWORD CFile::GetLength() const
{
    if (m_hFile == INVALID_HANDLE_VALUE)
        return 0;
    DWORD size = ::GetFileSize(m_hFile, NULL);
    return size == INVALID_FILE_SIZE ? 0 : size;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (m_hFile == INVALID_HANDLE_VALUE || nCount == 0)
        return 0;
    DWORD read = 0;
    if (!::ReadFile(m_hFile, lpBuf, nCount, &read, NULL))
        return 0;
    return read;
}

BOOL CFile::Write(const void* lpBuf, UINT nCount)
{
    if (m_hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    if (nCount == 0)
        return TRUE;
    DWORD written = 0;
    return ::WriteFile(m_hFile, lpBuf, nCount, &written, NULL) && written == nCount;
}

void CFile::Close()
{
    if (m_hFile != INVALID_HANDLE_VALUE)
        ::CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
    m_strFileName.Empty();
}
