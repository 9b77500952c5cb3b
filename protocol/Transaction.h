// One request/reply exchange on a phone's message stream.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include "TWMPC.h"

// S_OK with *reply set to the reply's array (may be null) on success;
// E_INVALIDARG without a stream, E_FAIL when Begin refuses, E_ABORT on a
// time-out or failed wait, E_UNEXPECTED for a reply that is not VT_ARRAY|VT_UI1.
HRESULT RunTransaction(ITWMsgStream *stream, SAFEARRAY *request, SAFEARRAY **reply, LONG timeout);
