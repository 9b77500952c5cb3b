// Dialog 205 "About", modal over owner.
#pragma once

#include <windows.h>

void AboutBox(HINSTANCE module, HWND owner);
