// CString: a growable single-byte (Windows-1252) text.
#pragma once

#include <windows.h>

#include <string>

class CString {
public:
    CString() = default;
    CString(const CString&) = default;
    CString(LPCSTR text) : m_text(text ? text : "") {}
    CString(LPCSTR text, int length) : m_text(text ? text : "", text && length > 0 ? length : 0) {}
    CString(char ch, int repeat) : m_text(repeat > 0 ? repeat : 0, ch) {}

    CString& operator=(const CString&) = default;
    CString& operator=(LPCSTR text);
    CString& operator+=(const CString& other);
    CString& operator+=(LPCSTR text);
    CString& operator+=(char ch);

    int GetLength() const { return (int)m_text.size(); }
    BOOL IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    char GetAt(int index) const { return m_text.at(index); }
    char operator[](int index) const { return m_text.at(index); }
    operator LPCSTR() const { return m_text.c_str(); }

    CString Left(int count) const;
    CString Right(int count) const;
    CString Mid(int first, int count) const;
    CString Mid(int first) const;
    int Find(char ch, int start = 0) const;
    int Compare(LPCSTR text) const;

    // Room for at least minLength characters; ReleaseBuffer ends the text at
    // newLength, or at its first NUL when newLength is -1.
    LPSTR GetBuffer(int minLength);
    void ReleaseBuffer(int newLength = -1);

    BOOL LoadString(UINT nID);
    void Format(LPCSTR format, ...);

private:
    std::string m_text;
};

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, LPCSTR b);
CString operator+(LPCSTR a, const CString& b);
CString operator+(const CString& a, char b);
bool operator==(const CString& a, LPCSTR b);
bool operator==(const CString& a, const CString& b);
bool operator!=(const CString& a, LPCSTR b);
bool operator!=(const CString& a, const CString& b);
