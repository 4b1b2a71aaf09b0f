// The program entry of every framework program: hands over to the one
// application object.
#include "win_app.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return -1;
    return pApp->WinMainEntry(hInstance, lpCmdLine, nCmdShow);
}
