#include "SetupRun.h"

#include "CommandTail.h"

namespace {

// QS_ALLINPUT as Windows 4 knows it, without the later raw-input bit.
constexpr DWORD QUEUE_INPUT_MASK = 0xFF;

}  // namespace

DWORD RunSetupAndWait(const char* installerPath, int& exitCode)
{
    char commandLine[INSTALLER_COMMAND_LINE_SIZE];
    DWORD error = BuildInstallerCommandLine(commandLine, installerPath, FindCommandTail(GetCommandLineA()));
    if (error != ERROR_SUCCESS)
        return error;

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    if (!CreateProcessA(installerPath, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return GetLastError();

    while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, INFINITE, QUEUE_INPUT_MASK) == WAIT_OBJECT_0 + 1) {
        MSG message;
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    }
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    exitCode = static_cast<int>(code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return ERROR_SUCCESS;
}
