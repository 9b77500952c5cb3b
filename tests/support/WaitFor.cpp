#include "WaitFor.h"

bool WaitFor(const std::function<bool()> &check, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (!check()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        // A short step: the benchmarks time whole walks by the UI driver.
        Sleep(10);
    }
    return true;
}

bool PumpUntil(const std::function<bool()> &done, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return true;
}
