// Reference counting of the objects TWMPC.exe serves, all on its one thread
// (a single-threaded apartment). The process serves while any object lives
// or a client locks it, and ends its message loop when the last goes.
#pragma once

#include <windows.h>

class ServerObject {
protected:
    ServerObject();
    virtual ~ServerObject();
    ServerObject(const ServerObject &) = delete;
    ServerObject &operator=(const ServerObject &) = delete;

    ULONG AddRefObject() { return ++references_; }
    ULONG ReleaseObject();

private:
    ULONG references_ = 1;
};

// The class factory's LockServer.
void LockServerProcess(bool lock);

// True once any object was made: a server that nobody uses ends by itself.
bool ServerWasUsed();
