// The one rule by which TWChimebox converts between its ANSI text and the
// UTF-16 text of COM.
#pragma once

#include <windows.h>

#include "HeapArray.h"

// The code page of every conversion: chosen at the first call and kept.
UINT ConversionCodePage();

// units or bytes of -1: the text ends at its terminating zero. Text that
// cannot be converted, or for which there is no memory, comes back empty.
HeapArray<char> ToAnsi(const wchar_t *text, int units);
HeapArray<wchar_t> ToWide(const char *text, int bytes);
