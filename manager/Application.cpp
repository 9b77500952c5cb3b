#include "Application.h"

#include <objbase.h>

Application::Application() : module_(GetModuleHandleA(nullptr))
{
    comInitialized_ = SUCCEEDED(CoInitialize(nullptr));
    startupFailed_ = !comInitialized_;
}

Application::~Application()
{
    // A failed CoInitialize must not be balanced: it would undo another
    // initialisation of this thread.
    if (comInitialized_)
        CoUninitialize();
}
