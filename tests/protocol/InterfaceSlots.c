/* Slot numbers of the component's methods, read from the C vtables that
   widl generates (slot = offset / pointer size). */
#include <stddef.h>
#include "TWMPC.h"
#include "InterfaceSlots.h"

#define SLOT(vtbl, method) ((int)(offsetof(vtbl, method) / sizeof(void *)))

const struct MethodSlot kMethodSlots[] = {
    {"ITWDevMgr::Initialize", SLOT(ITWDevMgrVtbl, Initialize), 7},
    {"ITWDevMgr::Shutdown", SLOT(ITWDevMgrVtbl, Shutdown), 8},
    {"ITWDevMgr::EnumDevices", SLOT(ITWDevMgrVtbl, EnumDevices), 9},
    {"ITWDevice::OID", SLOT(ITWDeviceVtbl, get_OID), 7},
    {"ITWDevice::Type", SLOT(ITWDeviceVtbl, get_Type), 11},
    {"ITWDevice::Name", SLOT(ITWDeviceVtbl, get_Name), 12},
    {"ITWDevice::QueryService", SLOT(ITWDeviceVtbl, QueryService), 15},
    {"ITWMsgStream::Begin", SLOT(ITWMsgStreamVtbl, Begin), 7},
    {"ITWMsgStream::Wait", SLOT(ITWMsgStreamVtbl, Wait), 8},
    {"ITWMsgStream::Recv", SLOT(ITWMsgStreamVtbl, Recv), 9},
    {"ITWMsgStream::End", SLOT(ITWMsgStreamVtbl, End), 10},
};
const int kMethodSlotCount = sizeof(kMethodSlots) / sizeof(kMethodSlots[0]);
