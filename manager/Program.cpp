#include "Program.h"

#include <commctrl.h>

#include "CommandLine.h"
#include "MainWindow.h"

int RunChimebox(const Application &application, const char *commandLine, DeviceManagerFactory createDeviceManager)
{
    InitCommonControls();
    MainWindow *window = MainWindow::Create(application.Module(), createDeviceManager);
    // Without a window the loop below would never end.
    if (!window)
        return -1;
    // Ending before the loop still closes the window, so that the
    // connection is released and the component shut down.
    if (application.StartupFailed()) {
        window->Close();
        return -1;
    }
    if (HasRegistrationSwitch(commandLine)) {
        window->Close();
        return 0;
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
