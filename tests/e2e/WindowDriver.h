// Drives another program's windows as a person would: finds them by caption,
// reads their controls and presses their buttons by messages. Knows nothing of the program behind them.
#pragma once

#include <windows.h>

#include <string>

#include "WaitFor.h"

// A visible top-level dialog ("#32770") whose caption is caption, of any
// process; null when none appears within timeoutMs.
HWND WaitForDialog(const std::string &caption, DWORD timeoutMs);

std::string WindowTextOf(HWND window);
std::string ControlTextOf(HWND dialog, int control);
// Visible and enabled: what a person can press.
bool CanPress(HWND dialog, int control);
// Presses the button as a click does; false when it cannot be pressed.
bool Press(HWND dialog, int control);

// Starts a command line; the process handle, or null.
HANDLE StartProgram(const std::string &commandLine);
// The exit code, or -2 when the process has not ended within timeoutMs.
int WaitForExit(HANDLE process, DWORD timeoutMs);
