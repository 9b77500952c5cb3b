// The install mode: opens the setup script beside the program and walks the
// user through the wizard until Finish or Cancel.
#pragma once

// -1 when the script cannot be opened, otherwise the message loop's code, 0.
int RunInstallWizard(const char *argument);
