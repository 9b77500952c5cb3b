// The install mode: opens the setup script beside the program and walks the
// user through the wizard until Finish or Cancel.
#pragma once

#include <windows.h>

// -1 when the script cannot be opened, otherwise the message loop's code, 0.
int RunInstallWizard(const char *argument);

// The install mode's message loop: every message is first offered to the
// wizard's dialog-message handling. Ends with the quit message's code.
int RunWizardMessageLoop(HWND wizard);
