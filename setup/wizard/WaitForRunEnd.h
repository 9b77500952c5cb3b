// The host's wait for its worker's done event, during which the thread's
// messages are still dispatched so that the windows keep painting.
#pragma once

#include <windows.h>

// True when the event was set, false when the wait itself failed.
bool WaitForRunEnd(HANDLE doneEvent);
