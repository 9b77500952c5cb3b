#include "SetupWarning.h"

void ShowSetupWarning(HWND owner, const char *text)
{
    MessageBoxA(IsWindow(owner) ? owner : nullptr, text, "Setup", MB_ICONWARNING);
}
