// Step 3 of the package: the installer, run and waited for.
#pragma once

#include <windows.h>

// Starts the installer with the package's own arguments and waits for its
// end while dispatching this thread's messages; its exit code goes to
// exitCode. Answers the error that kept it from starting.
DWORD RunSetupAndWait(const char* installerPath, int& exitCode);
