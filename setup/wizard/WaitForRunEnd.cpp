#include "WaitForRunEnd.h"

namespace {

// A quit message taken during the wait belongs to the loop outside: it is
// posted again once the wait is over.
bool EndWait(bool result, bool quitTaken, WPARAM quitCode)
{
    if (quitTaken)
        PostQuitMessage(static_cast<int>(quitCode));
    return result;
}

} // namespace

bool WaitForRunEnd(HANDLE doneEvent)
{
    bool quitTaken = false;
    WPARAM quitCode = 0;
    for (;;) {
        DWORD woken = MsgWaitForMultipleObjects(1, &doneEvent, FALSE, INFINITE, QS_ALLINPUT);
        if (woken == WAIT_OBJECT_0)
            return EndWait(true, quitTaken, quitCode);
        if (woken != WAIT_OBJECT_0 + 1)
            return EndWait(false, quitTaken, quitCode);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            bool unicode = message.hwnd && IsWindowUnicode(message.hwnd);
            BOOL got = unicode ? GetMessageW(&message, nullptr, 0, 0) : GetMessageA(&message, nullptr, 0, 0);
            if (got > 0) {
                TranslateMessage(&message);
                if (unicode)
                    DispatchMessageW(&message);
                else
                    DispatchMessageA(&message);
            } else if (got == 0) {
                quitTaken = true;
                quitCode = message.wParam;
            }
            if (WaitForSingleObject(doneEvent, 0) == WAIT_OBJECT_0)
                return EndWait(true, quitTaken, quitCode);
        }
    }
}
