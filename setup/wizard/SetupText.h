// Texts of Setup's string table, in the ANSI code page of the thread's
// locale.
#pragma once

#include <windows.h>

// Largest text a page sets, with room for what %s brings in.
constexpr int SETUP_TEXT_SIZE = 1025;

// Loads text id into buffer (size bytes, at least 1); an id the table does
// not hold gives an empty text and false.
bool LoadSetupText(UINT id, char *buffer, int size);

// Text id formatted with insert for its %s (wsprintfA, which writes at most
// 1024 bytes), set as the text of a dialog control.
void SetSetupText(HWND dialog, int control, UINT id, const char *insert);
