// A stand-in server program for the registration tests. With "/regserver"
// it records its own path under the tests' registry key, with
// "/unregserver" it removes it; then it ends with SERVER_EXIT_CODE, or it
// never ends when SERVER_HANGS is set.
#include "TestRegistration.h"

#include <string.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
#ifdef SERVER_HANGS
    Sleep(INFINITE);
#endif
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    if (strstr(commandLine, "/unregserver"))
        RecordRegistration(self, false);
    else if (strstr(commandLine, "/regserver"))
        RecordRegistration(self, true);
    return static_cast<int>(SERVER_EXIT_CODE);
}
