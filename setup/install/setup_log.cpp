// The unattended setup's log file.
#include "setup_log.h"

SetupLog::~SetupLog()
{
    if (file_ != INVALID_HANDLE_VALUE)
        ::CloseHandle(file_);
}

BOOL SetupLog::Open(const std::string& path)
{
    file_ = ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file_ == INVALID_HANDLE_VALUE)
        return FALSE;
    // An earlier run's lines stay; this run's follow them.
    ::SetFilePointer(file_, 0, NULL, FILE_END);
    return TRUE;
}

void SetupLog::Line(const std::string& text)
{
    if (file_ == INVALID_HANDLE_VALUE)
        return;
    std::string line = text + "\r\n";
    DWORD written = 0;
    ::WriteFile(file_, line.data(), static_cast<DWORD>(line.size()), &written, NULL);
}
