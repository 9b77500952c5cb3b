// TWMPCUI.dll's module state: its instance and what keeps it loaded.
#pragma once

#include <windows.h>

HINSTANCE PageLibraryInstance();
// Pages alive and class-factory locks; DllCanUnloadNow answers S_OK at 0.
void LockPageLibrary(bool lock);
