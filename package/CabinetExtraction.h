// Step 2 of the package: every file of the cabinet copy, extracted into a
// new folder.
#pragma once

#include <windows.h>

// Makes a new "~ca" folder in tempFolder (its name goes to folder) and
// extracts the cabinet into it; the cabinet copy is deleted in every case.
// A cabinet that continues into another one (ERROR_INVALID_PARAMETER), a
// name that would leave the folder, a file that comes out shorter or longer
// than the cabinet says, or a failure without a code of its own
// (ERROR_INVALID_DATA) fails the extraction, and the folder is removed.
DWORD ExtractCabinet(const char* cabinetPath, const char* tempFolder, char (&folder)[MAX_PATH]);
