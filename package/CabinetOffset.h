// Where the appended cabinet begins: the end of the image's data in its file.
#pragma once

#include <windows.h>

// E = SizeOfHeaders + the raw size of every section, read from the image's
// headers at base (a loaded module or the first bytes of its file hold the
// same values).
DWORD FindCabinetOffset(const void* base);
