// How the main window obtains the component's device manager: the program
// creates it through COM; tests hand in one of their own.
#pragma once

#include <windows.h>

#include "TWMPC.h"

using DeviceManagerFactory = HRESULT (*)(ITWDevMgr **manager);

// CoCreateInstance of TWDevMgr, in-process or local server.
HRESULT CreateDeviceManager(ITWDevMgr **manager);
