// The help file "Chimebox.chm" beside the program, opened at a topic.
#pragma once

#include <windows.h>

// Opens the help viewer owned by owner at topic (a page of the help file,
// or null); false, after telling the user, when it cannot.
bool ShowHelp(HWND owner, const char *topic);

// The help file beside module's file, with "::/" and topic appended when a
// topic is given; false when that would not fit MAX_PATH.
bool HelpFilePath(HMODULE module, const char *topic, char (&path)[MAX_PATH]);

// Opens the viewer at path (a help file, a topic inside it or both).
bool ShowHelpFile(HWND owner, const char *path);
