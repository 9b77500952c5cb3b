// Step 1 of the package: the appended cabinet, copied out of the package's
// own file.
#pragma once

#include <windows.h>

// Copies the bytes from the end of the image to the end of the package file
// into a new "~ca" file of tempFolder, whose name goes to cabinetPath.
// Refuses a package without a cabinet (ERROR_FILE_NOT_FOUND) and one that is
// shorter than the image or whose appended bytes are no whole cabinet
// (ERROR_INVALID_DATA); on any failure no copy is left behind.
DWORD CopyCabinetToTempFile(HMODULE image, const char* tempFolder, char (&cabinetPath)[MAX_PATH]);
