#include "DeviceManagerFactory.h"

HRESULT CreateDeviceManager(ITWDevMgr **manager)
{
    return CoCreateInstance(CLSID_TWDevMgr, nullptr,
                            CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER, IID_ITWDevMgr,
                            reinterpret_cast<void **>(manager));
}
