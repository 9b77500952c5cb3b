#include "WorkerThreads.h"

#include "InstallEngine.h"
#include "SetupWarning.h"

#include <objbase.h>

namespace {

bool StartThread(LPTHREAD_START_ROUTINE body)
{
    HANDLE thread = CreateThread(nullptr, 0, body, &installEngine, 0, nullptr);
    if (!thread)
        return false;
    // Nobody waits on the thread itself: its end is the done event.
    CloseHandle(thread);
    return true;
}

void SetDone(const InstallEngine &engine)
{
    if (engine.doneEvent)
        SetEvent(engine.doneEvent);
}

void PrepareLogRun(HWND host, HANDLE doneEvent, const char *logPath)
{
    installEngine.ownerWindow = host;
    lstrcpynA(installEngine.logPath, logPath, ENGINE_PATH_SIZE);
    installEngine.doneEvent = doneEvent;
}

} // namespace

bool StartInstallThread(HWND host, HANDLE doneEvent)
{
    if (installEngine.scriptHandle == INVALID_HANDLE_VALUE || installEngine.fileQueue == INVALID_HANDLE_VALUE)
        return false;
    installEngine.ownerWindow = host;
    installEngine.progressWindow = host;
    installEngine.doneEvent = doneEvent;
    return StartThread(InstallThread);
}

bool StartRegisterThread(HWND host, HANDLE doneEvent, const char *logPath)
{
    PrepareLogRun(host, doneEvent, logPath);
    return StartThread(RegisterThread);
}

bool StartUninstallThread(HWND host, HANDLE doneEvent, const char *logPath)
{
    if (installEngine.fileQueue == INVALID_HANDLE_VALUE)
        return false;
    PrepareLogRun(host, doneEvent, logPath);
    return StartThread(UninstallThread);
}

DWORD WINAPI InstallThread(LPVOID parameter)
{
    InstallEngine &engine = *static_cast<InstallEngine *>(parameter);
    // The shortcuts need COM on this thread.
    HRESULT com = CoInitialize(nullptr);
    engine.RunInstall();
    if (SUCCEEDED(com))
        CoUninitialize();
    SetDone(engine);
    return 0;
}

DWORD WINAPI RegisterThread(LPVOID parameter)
{
    InstallEngine &engine = *static_cast<InstallEngine *>(parameter);
    engine.RegisterComponents();
    SetDone(engine);
    return 0;
}

DWORD WINAPI UninstallThread(LPVOID parameter)
{
    InstallEngine &engine = *static_cast<InstallEngine *>(parameter);
    engine.RunUninstall();
    SetDone(engine);
    return 0;
}

void ReportWorkerNotStarted(HWND host)
{
    ShowSetupWarning(host, "Error starting the setup operations");
}
