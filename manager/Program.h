// TWChimebox from start to end: the main window, the registration switches
// and the message loop. Returns the process exit code.
#pragma once

#include "Application.h"
#include "DeviceManagerFactory.h"

int RunChimebox(const Application &application, const char *commandLine, DeviceManagerFactory createDeviceManager);
