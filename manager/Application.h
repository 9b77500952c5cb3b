// The process's application object: COM for the main thread and the module
// whose resources the windows use.
#pragma once

#include <windows.h>

class Application {
public:
    Application();
    ~Application();
    Application(const Application &) = delete;
    Application &operator=(const Application &) = delete;

    bool StartupFailed() const { return startupFailed_; }
    HINSTANCE Module() const { return module_; }

private:
    bool startupFailed_ = false;
    bool comInitialized_ = false;
    HINSTANCE module_;
};
