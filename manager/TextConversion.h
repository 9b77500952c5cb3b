// The one rule by which TWChimebox converts between its ANSI text and the
// UTF-16 text of COM.
#pragma once

#include <windows.h>

#include <string>

// The code page of every conversion: chosen at the first call and kept.
UINT ConversionCodePage();

// units or bytes of -1: the text ends at its terminating zero.
std::string ToAnsi(const wchar_t *text, int units);
std::wstring ToWide(const char *text, int bytes);
