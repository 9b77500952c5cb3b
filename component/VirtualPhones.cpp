#include "VirtualPhones.h"

#include <algorithm>

#include "DataFolder.h"
#include "DeviceListEvents.h"
#include "TWMPC.h"

namespace {

constexpr UINT kAnnounceMessage = WM_APP + 1;
const char kWindowClass[] = "TWMPCVirtualPhones";

const VirtualPhone *FindIn(const std::vector<VirtualPhone> &phones, const std::string &oid)
{
    for (const VirtualPhone &p : phones)
        if (p.oid == oid)
            return &p;
    return nullptr;
}

bool IsAttached(const VirtualPhone *phone)
{
    return phone && phone->attached;
}

} // namespace

VirtualPhones::VirtualPhones(ComPtr<ITypeLib> library) : library_(library)
{
    Refresh();
    announced_ = settings_.phones;

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, windowClass.hInstance, this);

    std::string folder = ComponentDataFolder();
    if (!folder.empty())
        folderChange_ = FindFirstChangeNotificationA(
            folder.c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE);
}

VirtualPhones::~VirtualPhones()
{
    if (folderChange_ != INVALID_HANDLE_VALUE)
        FindCloseChangeNotification(folderChange_);
    if (window_)
        DestroyWindow(window_);
}

ComPtr<ITypeInfo> VirtualPhones::TypeInfo(REFGUID guid) const
{
    ComPtr<ITypeInfo> info;
    if (library_)
        library_->GetTypeInfoOfGuid(guid, info.Receive());
    return info;
}

void VirtualPhones::Refresh()
{
    std::vector<uint8_t> bytes;
    ReadSettingsFile(bytes, false);
    if (settingsRead_ && bytes == settingsBytes_)
        return;
    ReadSettingsFile(bytes, true);
    settings_ = ParseSettings(bytes);
    settingsBytes_ = bytes;
    settingsRead_ = true;
    if (window_)
        PostMessageA(window_, kAnnounceMessage, 0, 0);
}

const VirtualPhone *VirtualPhones::Find(const std::string &oid) const
{
    return FindIn(settings_.phones, oid);
}

bool VirtualPhones::TakeRefuseBegin()
{
    if (!settings_.faults.refuseBegin)
        return false;
    settings_.faults.refuseBegin = false;
    ClearRefuseBegin();
    return true;
}

ReplyFault VirtualPhones::TakeReplyFault(long &delayMs)
{
    ReplyFault fault = settings_.faults.nextReply;
    delayMs = settings_.faults.delayMs;
    if (fault != ReplyFault::None) {
        settings_.faults.nextReply = ReplyFault::None;
        ClearReplyFault();
    }
    return fault;
}

HRESULT VirtualPhones::Rename(const std::string &oid, const std::string &name)
{
    Refresh();
    ComponentSettings changed = settings_;
    auto phone = std::find_if(changed.phones.begin(), changed.phones.end(),
                              [&](const VirtualPhone &p) { return p.oid == oid; });
    if (phone == changed.phones.end())
        return HRESULT_FROM_WIN32(ERROR_DEVICE_NOT_CONNECTED);
    phone->name = name;
    if (!SavePhonesAndLink(changed))
        return E_FAIL;
    Refresh();
    return S_OK;
}

void VirtualPhones::AddListener(DeviceListEvents *events)
{
    listeners_.push_back(events);
}

void VirtualPhones::RemoveListener(DeviceListEvents *events)
{
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), events), listeners_.end());
}

void VirtualPhones::OnFolderChanged()
{
    FindNextChangeNotification(folderChange_);
    Refresh();
}

LRESULT CALLBACK VirtualPhones::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *create = reinterpret_cast<CREATESTRUCTA *>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    } else if (message == kAnnounceMessage) {
        auto *self = reinterpret_cast<VirtualPhones *>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self)
            self->Announce();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Firing an event waits for the client, and COM dispatches messages while
// it waits, so an announcement can start inside another: the inner one
// only asks the outer to look again.
void VirtualPhones::Announce()
{
    if (announcing_) {
        announceAgain_ = true;
        return;
    }
    announcing_ = true;
    do {
        announceAgain_ = false;
        std::vector<VirtualPhone> before = announced_;
        std::vector<VirtualPhone> now = settings_.phones;
        announced_ = now;
        std::vector<ComPtr<DeviceListEvents>> listeners;
        for (DeviceListEvents *l : listeners_)
            listeners.push_back(ComPtr<DeviceListEvents>::Share(l));

        for (const VirtualPhone &old : before)
            if (old.attached && !IsAttached(FindIn(now, old.oid)))
                for (auto &l : listeners)
                    l->DeviceStatusChanged(old.oid, twdsRemoved);
        for (const VirtualPhone &phone : now) {
            if (!phone.attached)
                continue;
            const VirtualPhone *old = FindIn(before, phone.oid);
            for (auto &l : listeners) {
                if (!IsAttached(old)) {
                    l->DeviceAdded(phone.oid);
                    continue;
                }
                if (old->name != phone.name)
                    l->DeviceRenamed(phone.oid, phone.name);
                if (old->type != phone.type || old->hasStream != phone.hasStream)
                    l->DeviceModified(phone.oid);
            }
        }
    } while (announceAgain_);
    announcing_ = false;
}
