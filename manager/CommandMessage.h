// The message boxes of the ringtone commands: empty caption, OK only, no icon.
#pragma once

#include <windows.h>

void ShowCommandMessage(HWND owner, const char *text);
