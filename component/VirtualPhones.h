// The virtual phones as TWMPC.exe serves them: the settings as last read
// from the settings file, the one-shot faults, and the announcement of
// phones attached, detached, renamed or changed to every device manager's
// event sinks.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ComPtr.h"
#include "Settings.h"

class DeviceListEvents;

class VirtualPhones {
public:
    explicit VirtualPhones(ComPtr<ITypeLib> library);
    ~VirtualPhones();
    VirtualPhones(const VirtualPhones &) = delete;
    VirtualPhones &operator=(const VirtualPhones &) = delete;

    ComPtr<ITypeInfo> TypeInfo(REFGUID guid) const;

    // Reads the settings again when the file changed. A change is announced
    // later, from the message loop, never inside a client's call.
    void Refresh();
    const ComponentSettings &Settings() const { return settings_; }
    // The phone of that OID as last read, or null when it is not listed.
    const VirtualPhone *Find(const std::string &oid) const;

    // One-shot faults: each is used once and then cleared in the file.
    bool TakeRefuseBegin();
    ReplyFault TakeReplyFault(long &delayMs);

    HRESULT Rename(const std::string &oid, const std::string &name);

    void AddListener(DeviceListEvents *events);
    void RemoveListener(DeviceListEvents *events);

    // Signalled when something in the data folder changes; the message
    // loop then calls Refresh.
    HANDLE FolderChanged() const { return folderChange_; }
    void OnFolderChanged();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Announce();

    ComPtr<ITypeLib> library_;
    ComponentSettings settings_;
    std::vector<uint8_t> settingsBytes_;
    bool settingsRead_ = false;
    std::vector<VirtualPhone> announced_; // the phones as sinks last heard of them
    std::vector<DeviceListEvents *> listeners_;
    bool announcing_ = false;
    bool announceAgain_ = false;
    HWND window_ = nullptr;
    HANDLE folderChange_ = INVALID_HANDLE_VALUE;
};
