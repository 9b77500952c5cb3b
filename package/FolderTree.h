// Removal of the extraction folder and everything in it.
#pragma once

#include <windows.h>

// Deletes the folder named in the buffer with all its files and sub-folders,
// ignoring what cannot be deleted. Works in place in the caller's buffer and
// leaves it as it found it.
void DeleteFolderTree(char (&folder)[MAX_PATH]);
