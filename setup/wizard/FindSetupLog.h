// Where the remove and configure modes find the install log.
#pragma once

// path: a buffer of 260 bytes holding the log's path or empty. Tries that
// path, then "_Install.log" in the current folder, then beside the program.
// True when something exists at the path left in the buffer; false leaves
// the last path tried there.
bool FindSetupLog(char *path);
