// The programs the build puts beside the test programs: their paths, running
// them to their end, and registering the component stand-in from there.
#pragma once

#include <windows.h>

#include <string>

// A file beside the running test program.
std::string BesideTests(const char *name);

// Runs a command line and returns its exit code (0xFFFFFFFF when it did not
// run or did not end within a minute).
DWORD RunProgram(const std::string &commandLine);

// Registers TWMPC.exe (/regserver) and TWMPCUI.dll from beside the tests in
// the test's prefix: S_OK, or the first step's failure.
HRESULT RegisterComponentStandIn();
