// The message box in which Setup reports an error of a run.
#pragma once

#include <windows.h>

// Caption "Setup", warning icon. An owner that is no window (the engine's
// all-bits-set default) gives a box without owner, so the text is still seen.
void ShowSetupWarning(HWND owner, const char *text);
