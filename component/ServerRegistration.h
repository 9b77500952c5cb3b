// TWMPC.exe /regserver and /unregserver: the device manager's class, its
// interfaces and the type library embedded in the program, under
// HKEY_CLASSES_ROOT. Each returns a COM result, the program's exit code.
#pragma once

#include <windows.h>

HRESULT RegisterServer();
HRESULT UnregisterServer();
