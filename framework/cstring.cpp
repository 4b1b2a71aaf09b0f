// CString operations.
#include "cstring.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#include "win_app.h"

CString& CString::operator=(LPCSTR text)
{
    m_text = text ? text : "";
    return *this;
}

CString& CString::operator+=(const CString& other)
{
    m_text += other.m_text;
    return *this;
}

CString& CString::operator+=(LPCSTR text)
{
    if (text)
        m_text += text;
    return *this;
}

CString& CString::operator+=(char ch)
{
    m_text += ch;
    return *this;
}

CString CString::Left(int count) const
{
    if (count < 0)
        count = 0;
    return CString(m_text.substr(0, (size_t)count).c_str());
}

CString CString::Right(int count) const
{
    if (count < 0)
        count = 0;
    if (count >= GetLength())
        return *this;
    return CString(m_text.substr(m_text.size() - (size_t)count).c_str());
}

CString CString::Mid(int first, int count) const
{
    if (first < 0)
        first = 0;
    if (first >= GetLength() || count <= 0)
        return CString();
    return CString(m_text.substr((size_t)first, (size_t)count).c_str());
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

int CString::Find(char ch, int start) const
{
    if (start < 0 || start >= GetLength())
        return -1;
    size_t at = m_text.find(ch, (size_t)start);
    return at == std::string::npos ? -1 : (int)at;
}

int CString::Compare(LPCSTR text) const { return strcmp(m_text.c_str(), text ? text : ""); }

LPSTR CString::GetBuffer(int minLength)
{
    if (minLength > GetLength())
        m_text.resize((size_t)minLength);
    // One byte past the end is the string's own terminator.
    return &m_text[0];
}

void CString::ReleaseBuffer(int newLength)
{
    if (newLength < 0)
        newLength = (int)strlen(m_text.c_str());
    if (newLength > GetLength())
        newLength = GetLength();
    m_text.resize((size_t)newLength);
}

BOOL CString::LoadString(UINT nID)
{
    char buffer[1024];
    int length = ::LoadStringA(AfxGetResourceHandle(), nID, buffer, sizeof buffer);
    if (length <= 0)
        return FALSE;
    m_text.assign(buffer, (size_t)length);
    return TRUE;
}

void CString::Format(LPCSTR format, ...)
{
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int needed = vsnprintf(NULL, 0, format, copy);
    va_end(copy);
    if (needed < 0) {
        m_text.clear();
    } else {
        std::string out((size_t)needed + 1, '\0');
        vsnprintf(&out[0], out.size(), format, args);
        out.resize((size_t)needed);
        m_text.swap(out);
    }
    va_end(args);
}

CString operator+(const CString& a, const CString& b)
{
    CString result(a);
    result += b;
    return result;
}
CString operator+(const CString& a, LPCSTR b)
{
    CString result(a);
    result += b;
    return result;
}
CString operator+(LPCSTR a, const CString& b)
{
    CString result(a);
    result += b;
    return result;
}
CString operator+(const CString& a, char b)
{
    CString result(a);
    result += b;
    return result;
}
bool operator==(const CString& a, LPCSTR b) { return a.Compare(b) == 0; }
bool operator==(const CString& a, const CString& b) { return a.Compare(b) == 0; }
bool operator!=(const CString& a, LPCSTR b) { return a.Compare(b) != 0; }
bool operator!=(const CString& a, const CString& b) { return a.Compare(b) != 0; }
