// The event a run's worker sets as its very last act: auto-reset, initially
// not set, without name; owned by the window object that hosts the run.
#pragma once

#include <windows.h>

class DoneEvent {
public:
    DoneEvent() : handle_(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {}
    ~DoneEvent()
    {
        if (handle_)
            CloseHandle(handle_);
    }
    DoneEvent(const DoneEvent &) = delete;
    DoneEvent &operator=(const DoneEvent &) = delete;

    // Null when the event could not be created.
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};
