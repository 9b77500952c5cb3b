// Conversions between the settings' ANSI text and COM's BSTR.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

// Null when memory runs out.
BSTR AnsiToBstr(const std::string &text);
std::string BstrToAnsi(BSTR text);
