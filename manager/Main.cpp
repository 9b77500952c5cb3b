// The program's entry: the application object lives for the whole process.
#include "Program.h"

namespace {

Application application;

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return RunChimebox(application, GetCommandLineA(), CreateDeviceManager);
}
