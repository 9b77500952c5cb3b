// Waiting in a test until a condition holds, with a time-out.
#pragma once

#include <windows.h>

#include <functional>

// Polls check() in short steps; false once timeoutMs have passed.
bool WaitFor(const std::function<bool()> &check, DWORD timeoutMs = 15000);

// The same, dispatching this thread's messages meanwhile: for conditions
// that windows or COM calls of this thread bring about.
bool PumpUntil(const std::function<bool()> &done, DWORD timeoutMs = 20000);
