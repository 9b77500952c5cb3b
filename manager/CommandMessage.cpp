#include "CommandMessage.h"

void ShowCommandMessage(HWND owner, const char *text) { MessageBoxA(owner, text, "", MB_OK); }
