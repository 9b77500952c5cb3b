// Where the component keeps its settings, the phones' ringtone stores and
// the record of the requests the phones received: "TWMPC" in the user's
// application-data folder.
#pragma once

#include <string>

// The folder's path without a trailing backslash, created when missing;
// empty when the application-data folder cannot be found.
std::string ComponentDataFolder();

// A file of the folder; empty when the folder cannot be found.
std::string ComponentDataFile(const char *name);
