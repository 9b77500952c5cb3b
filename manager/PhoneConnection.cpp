// The main window's phone connection: creating the device manager, finding
// a supported phone, the status line, the device-list events and the end.
#include "MainWindow.h"

#include <cstring>

#include "ResourceIds.h"
#include "TextConversion.h"

namespace {

const wchar_t *const kSupportedModels[] = {L"NHM-8", L"RH-9", L"NPM-8", L"NHL-4"};
const wchar_t kMessageStreamService[] = L"NkMsgStm:";

// Owns a BSTR received from the component.
class ReceivedString {
public:
    ReceivedString() = default;
    ~ReceivedString() { SysFreeString(text_); }
    ReceivedString(const ReceivedString &) = delete;
    ReceivedString &operator=(const ReceivedString &) = delete;

    BSTR *Receive() { return &text_; }
    // Forgets what a failed call may have left in the slot.
    void Check(HRESULT hr)
    {
        if (FAILED(hr))
            text_ = nullptr;
    }
    BSTR Get() const { return text_; }

private:
    BSTR text_ = nullptr;
};

// Case-sensitive comparison under the user's locale; a missing string is
// empty.
bool SameText(const wchar_t *a, int aUnits, const wchar_t *b, int bUnits)
{
    if (!a)
        aUnits = 0;
    if (!b)
        bUnits = 0;
    if (aUnits == 0 || bUnits == 0)
        return aUnits == bUnits;
    return CompareStringW(LOCALE_USER_DEFAULT, 0, a, aUnits, b, bUnits) == CSTR_EQUAL;
}

bool SameText(BSTR a, BSTR b)
{
    return SameText(a, static_cast<int>(SysStringLen(a)), b, static_cast<int>(SysStringLen(b)));
}

bool IsSupportedModel(BSTR type)
{
    for (const wchar_t *model : kSupportedModels) {
        if (SameText(type, static_cast<int>(SysStringLen(type)), model, static_cast<int>(wcslen(model))))
            return true;
    }
    return false;
}

} // namespace

void MainWindow::StartConnection()
{
    createDeviceManager_(deviceManager.Receive());
    if (!deviceManager) {
        MessageBoxA(window_, "Mobile phone connection component is not installed.\r\n\r\nPlease reinstall.", "Error",
                    MB_ICONWARNING | MB_OK);
        return;
    }
    SubscribeDeviceList(deviceManager.Get(), sink_);
    ComPtr<ITWDevMgr> manager = deviceManager;
    manager->Initialize(0);
    FindPhone();
}

void MainWindow::FindPhone()
{
    if (searching_) {
        searchAgain_ = true;
        return;
    }
    searching_ = true;
    do {
        searchAgain_ = false;
        SearchDevices();
    } while (searchAgain_ && !currentDevice);
    searching_ = false;
}

// One pass over the component's devices: the first of a supported model is
// tried, and only that one.
void MainWindow::SearchDevices()
{
    ComPtr<ITWDevMgr> manager = deviceManager;
    if (!manager || currentDevice)
        return;
    ComPtr<IEnumUnknown> devices;
    if (manager->EnumDevices(0, devices.Receive()) != S_OK || !devices)
        return;
    for (;;) {
        ComPtr<IUnknown> item;
        ULONG fetched = 0;
        if (devices->Next(1, item.Receive(), &fetched) != S_OK)
            return;
        // An item that is not a device is passed over.
        ComPtr<ITWDevice> device;
        if (!item || FAILED(item.As(IID_ITWDevice, device)) || !device)
            continue;
        item.Reset();

        ReceivedString type;
        type.Check(device->get_Type(type.Receive()));
        if (!IsSupportedModel(type.Get()))
            continue;

        ComPtr<IUnknown> service;
        BSTR name = SysAllocString(kMessageStreamService);
        if (!name || FAILED(device->QueryService(name, service.Receive())))
            service.Reset();
        SysFreeString(name);
        ComPtr<ITWMsgStream> stream;
        if (service && (FAILED(service.As(IID_ITWMsgStream, stream)) || !stream))
            stream.Reset();
        service.Reset();
        if (stream && !currentDevice) {
            messageStream = stream;
            currentDevice = device;
            UpdateConnectionStatus();
        }
        return;
    }
}

void MainWindow::UpdateConnectionStatus()
{
    ComPtr<ITWDevice> device = currentDevice;
    if (!device) {
        SetDlgItemTextA(window_, IDC_STATUS, "Not connected");
        EnableControls(false);
        return;
    }
    ReceivedString name;
    name.Check(device->get_Name(name.Receive()));
    // An event while the name was being read may have ended this
    // connection and shown its own state.
    if (currentDevice.Get() != device.Get())
        return;
    static const char kConnected[] = "Connected to ";
    HeapArray<char> phone = ToAnsi(name.Get(), static_cast<int>(SysStringLen(name.Get())));
    HeapArray<char> status;
    if (status.Allocate(sizeof kConnected - 1 + phone.Size())) {
        std::memcpy(status.Data(), kConnected, sizeof kConnected - 1);
        std::memcpy(status.Data() + sizeof kConnected - 1, phone.Get(), phone.Size());
    }
    SetDlgItemTextA(window_, IDC_STATUS, status.Get());
    EnableControls(true);
    RefreshRingtoneList(RingtoneList(), MainListing);
}

void MainWindow::EnableControls(bool enable)
{
    static const int kControls[] = {IDC_GET_TONE, IDC_WRITE_TONE, IDC_RINGTONES};
    for (int id : kControls)
        EnableWindow(GetDlgItem(window_, id), enable ? TRUE : FALSE);
}

void MainWindow::EndConnection()
{
    messageStream.Reset();
    currentDevice.Reset();
    ComPtr<ITWDevMgr> manager(deviceManager.Detach());
    if (manager)
        manager->Shutdown(0);
}

HRESULT MainWindow::DeviceAdded(BSTR)
{
    if (!currentDevice)
        FindPhone();
    return S_OK;
}

HRESULT MainWindow::DeviceDeleted(BSTR) { return S_OK; }

HRESULT MainWindow::DeviceStatusChanged(BSTR deviceId, TWDStatus newStatus)
{
    ComPtr<ITWDevice> device = currentDevice;
    if (!device || newStatus == twdsActive)
        return E_NOTIMPL;
    ReceivedString id;
    id.Check(device->get_OID(id.Receive()));
    if (SameText(id.Get(), deviceId) && currentDevice.Get() == device.Get()) {
        messageStream.Reset();
        currentDevice.Reset();
        UpdateConnectionStatus();
    }
    return E_NOTIMPL;
}
