// The uninstall confirmation: asks whether to remove the application and
// hands the removal to a temporary copy of the program started with " /C".
#pragma once

// logPath: read only for the application's name. 0 after No and after the
// copy has been started; -1 when the copy could not be made or started.
int ConfirmUninstall(const char *logPath);

// The first "TWU" name in the temporary folder under which nothing exists,
// in a buffer of 260 bytes; false when there is none.
bool FindFreeTemporaryName(char *name);
