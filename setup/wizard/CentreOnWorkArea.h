// Places a window without parent or owner in the middle of the screen's
// work area (the screen less the task bar).
#pragma once

#include <windows.h>

// The window's new top-left corner: centred, then pulled inside the work
// area where it would start before it or end past it.
POINT CentredPosition(const RECT &window, const RECT &workArea);

// Moves the window there without resizing, activating or reordering it.
void CentreOnWorkArea(HWND window);
