/* Started by scripts/wine-run with its output streams closed, so that the
   processes Wine starts for a prefix (services and the desktop's explorer)
   hold no test's output pipe open. Asking for the desktop window starts the
   desktop process. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    (void)instance;
    (void)previous;
    (void)commandLine;
    (void)show;
    return GetDesktopWindow() ? 0 : 1;
}
