// Stands in for the installation run until it is written: ends the setup.
#include "marlo_view.h"

BOOL CMarloView::RunInstallation(const char*, const char*)
{
    ::PostQuitMessage(0);
    return TRUE;
}
