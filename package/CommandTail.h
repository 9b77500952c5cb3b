// The package hands its own arguments to the installer unchanged.
#pragma once

#include <windows.h>

// The installer's command line is built in a buffer of this size.
constexpr size_t INSTALLER_COMMAND_LINE_SIZE = MAX_PATH;

// The part of a command line after the program's name, with its leading
// blank if there is one. A quoted name ends at its closing quote, which is
// passed over; an unquoted one at the first space (a tab does not end it).
const char* FindCommandTail(const char* commandLine);

// Writes the quoted installer path followed by the tail. A line that does
// not fit is refused with ERROR_FILENAME_EXCED_RANGE; nothing is written
// past the buffer.
DWORD BuildInstallerCommandLine(char (&commandLine)[INSTALLER_COMMAND_LINE_SIZE],
                                const char* installerPath, const char* tail);
