// The small box of the remove and configure modes: it finds the install log,
// runs the uninstall or the registration pass on a worker thread and closes
// itself when the run has ended.
#pragma once

#include "DoneEvent.h"
#include "InstallEngine.h"

#include <windows.h>

class ProgressBox {
public:
    enum Mode { CONFIGURE = 0, REMOVE = 1 };

    // logPath: the command line's argument, empty to search for the log.
    ProgressBox(Mode mode, const char *logPath);
    ProgressBox(const ProgressBox &) = delete;
    ProgressBox &operator=(const ProgressBox &) = delete;

    // IDOK after a run; IDCANCEL when the log was not found or the run could
    // not be started.
    INT_PTR Show();

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitialise(HWND window);
    void OnFinished(HWND window);

    Mode mode_;
    char logPath_[ENGINE_PATH_SIZE];
    DoneEvent doneEvent_;
    bool running_ = false;
};
