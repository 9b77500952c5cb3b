// Folders for a file that is about to be written.
#pragma once

// Creates every missing folder on the way to the file named by filePath
// ("X:\a\b\file" makes "X:\a" and "X:\a\b"). Stops silently at the first
// folder that cannot be made: writing the file then fails and says why.
void CreateParentFolders(const char* filePath);
