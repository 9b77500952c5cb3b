// Bounded editing of the engine's paths, held in buffers of ENGINE_PATH_SIZE
// bytes.
#pragma once

// Appends text; what does not fit is cut off, the buffer is never overrun.
void AppendToPath(char *path, const char *text);
// Appends a backslash unless the path already ends in one.
void EnsureFinalBackslash(char *path);
// Removes one final backslash, if any.
void CutFinalBackslash(char *path);
// Ends the path at its last backslash and returns the name that followed
// it, or returns null when the path has no backslash.
char *CutFileName(char *path);
// The part after the last backslash, or the whole path when it has none.
const char *FileNamePart(const char *path);
