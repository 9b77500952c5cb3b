// Setup's process: COM and the common controls around one mode, chosen from
// the command line and the program's own file name. The engine's teardown,
// with its possible restart question, runs after WinMain has returned.
#include "CommandLine.h"
#include "ConfirmUninstall.h"
#include "InstallEngine.h"
#include "ProgressBox.h"
#include "RunInstallWizard.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

namespace {

int RunSetupMode(const char *arguments)
{
    char program[ENGINE_PATH_SIZE];
    DWORD length = GetModuleFileNameA(nullptr, program, ENGINE_PATH_SIZE);
    if (length == 0 || length >= ENGINE_PATH_SIZE)
        program[0] = '\0';
    SetupCommand command = SelectMode(arguments, program);
    switch (command.mode) {
    case MODE_REMOVE:
        ProgressBox(ProgressBox::REMOVE, command.argument).Show();
        return 0;
    case MODE_CONFIGURE:
        return ProgressBox(ProgressBox::CONFIGURE, command.argument).Show() == IDOK ? 0 : 1;
    case MODE_CONFIRM_UNINSTALL:
        return ConfirmUninstall(command.argument);
    default:
        return RunInstallWizard(command.argument);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const char *commandLine = GetCommandLineA();
    if (!commandLine)
        return -1;
    const char *arguments = SkipProgramName(commandLine);
    CoInitialize(nullptr);
    InitCommonControls();
    int result = RunSetupMode(arguments);
    CoUninitialize();
    return result;
}
