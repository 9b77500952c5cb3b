#include "ServerObject.h"

#include <objbase.h>

namespace {

bool used = false;

void ReleaseServerProcess()
{
    if (CoReleaseServerProcess() == 0)
        PostQuitMessage(0);
}

} // namespace

ServerObject::ServerObject()
{
    used = true;
    CoAddRefServerProcess();
}

ServerObject::~ServerObject()
{
    ReleaseServerProcess();
}

ULONG ServerObject::ReleaseObject()
{
    ULONG left = --references_;
    if (left == 0)
        delete this;
    return left;
}

void LockServerProcess(bool lock)
{
    if (lock) {
        used = true;
        CoAddRefServerProcess();
    } else {
        ReleaseServerProcess();
    }
}

bool ServerWasUsed()
{
    return used;
}
