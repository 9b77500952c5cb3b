// HtmlHelpA of the HTML Help control, bound at its first use for the whole
// run: the control is an optional part of older systems.
#pragma once

#include <windows.h>

// HtmlHelpA(owner, file, command, data), or null when the control's library
// or its export cannot be had; a failed binding is not tried again.
HWND BoundHtmlHelp(HWND owner, const char *file, UINT command, DWORD_PTR data);

// The class key of the HTML Help control under HKEY_CLASSES_ROOT.
extern const char kHtmlHelpClassKey[];
