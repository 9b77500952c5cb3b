// The command-line registration switches: TWChimebox registers nothing
// itself, so "-RegServer" and "/UnregServer" only end the program.
#pragma once

// True when a '-' or '/' in commandLine is followed by "RegServer" or
// "UnregServer" (any case) ending at a space, a tab or the end.
bool HasRegistrationSwitch(const char *commandLine);
