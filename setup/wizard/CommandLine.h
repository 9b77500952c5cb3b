// Setup's command line: the part after the program's name, the switch that
// picks the mode and the switch's argument.
#pragma once

// Mode letters; MODE_NONE when the command line picks none.
constexpr char MODE_NONE = 0;
constexpr char MODE_INSTALL = 'I';
constexpr char MODE_REMOVE = 'C';
constexpr char MODE_CONFIGURE = 'P';
constexpr char MODE_CONFIRM_UNINSTALL = 'U';

struct SetupCommand {
    char mode;
    // Points into the command line; never null.
    const char *argument;
};

// The command line without the program's name and without the characters of
// code 32 or less that follow it. Codes are compared as signed bytes, so the
// bytes 128 to 255 are skipped like blanks.
const char *SkipProgramName(const char *commandLine);

// The first slash and the letter after it; the argument follows the letter
// and its blanks, or is the whole line without leading blanks when there is
// no slash.
SetupCommand ReadSwitch(const char *arguments);

// The mode Setup runs in: the switch's, else uninstall confirmation when the
// program's own file name begins with "_", else install.
SetupCommand SelectMode(const char *arguments, const char *programPath);
