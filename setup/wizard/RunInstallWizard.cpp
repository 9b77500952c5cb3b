#include "RunInstallWizard.h"

#include "InstallEngine.h"
#include "PathText.h"
#include "SetupWarning.h"
#include "SetupWizard.h"

int RunWizardMessageLoop(HWND wizard)
{
    MSG message;
    for (;;) {
        BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0)
            return static_cast<int>(message.wParam);
        if (got == -1)
            continue;
        if (!SendMessageA(wizard, PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(&message))) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

int RunInstallWizard(const char *)
{
    char folder[ENGINE_PATH_SIZE];
    DWORD length = GetModuleFileNameA(nullptr, folder, ENGINE_PATH_SIZE);
    if (length == 0 || length >= ENGINE_PATH_SIZE)
        folder[0] = '\0';
    folder[FileNamePart(folder) - folder] = '\0';
    char script[ENGINE_PATH_SIZE];
    lstrcpyA(script, folder);
    AppendToPath(script, "Setup.inf");

    if (!folder[0] || installEngine.Open(script, folder) < 0) {
        ShowSetupWarning(nullptr, "Error initialising installer");
        return -1;
    }
    SetupWizard wizard(installEngine.applicationName);
    HWND window = wizard.Create();
    if (!window)
        return 0;
    return RunWizardMessageLoop(window);
}
