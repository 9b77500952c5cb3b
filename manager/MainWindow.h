// The one main window of TWChimebox (dialog 102) and the phone connection it
// owns: the component's device manager, the connected phone and that phone's
// message stream.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <new>

#include "ComPtr.h"
#include "DeviceListSink.h"
#include "DeviceManagerFactory.h"
#include "MessageLayout.h"
#include "TWMPC.h"

class MainWindow final : private DeviceListEvents {
public:
    // Creates the window from template 102 and shows it; null when it
    // cannot be created. The object frees itself with its window.
    static MainWindow *Create(HINSTANCE module, DeviceManagerFactory createDeviceManager);

    HWND Window() const { return window_; }
    HINSTANCE Module() const { return module_; }
    HWND RingtoneList() const;

    // The connected phone's stream at this moment (null while none is
    // connected), held for the caller: read it at the point of use, since an
    // event in any message loop can end the connection.
    ComPtr<ITWMsgStream> MessageStream() const { return messageStream; }

    // Refills list (the main window's or the location dialog's) with the
    // phone's ringtones of the given kind; the count, or a negative value.
    int RefreshRingtoneList(HWND list, ListingKind kind);

    // The Close command: ends the subscription and destroys the window.
    void Close();

private:
    MainWindow(HINSTANCE module, DeviceManagerFactory createDeviceManager);
    ~MainWindow() = default;
    MainWindow(const MainWindow &) = delete;
    MainWindow &operator=(const MainWindow &) = delete;
    // Straight from the C heap: the C++ library's operator new would bring
    // its exception support into the program.
    static void *operator new(size_t size, const std::nothrow_t &) noexcept { return std::malloc(size); }
    static void operator delete(void *object) noexcept { std::free(object); }

    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitDialog();
    bool OnCommand(WORD id);
    void OnOptions();

    // The phone connection (PhoneConnection.cpp).
    void StartConnection();
    void FindPhone();
    void SearchDevices();
    void UpdateConnectionStatus();
    void EnableControls(bool enable);
    void EndConnection();
    HRESULT DeviceAdded(BSTR deviceId) override;
    HRESULT DeviceDeleted(BSTR deviceId) override;
    HRESULT DeviceStatusChanged(BSTR deviceId, TWDStatus newStatus) override;

    HWND window_ = nullptr;
    DeviceListSink sink_;
    ComPtr<ITWDevMgr> deviceManager;
    ComPtr<ITWDevice> currentDevice;
    ComPtr<ITWMsgStream> messageStream;

    HINSTANCE module_;
    DeviceManagerFactory createDeviceManager_;
    // A DeviceAdded that arrives while a search waits on the component
    // asks that search to run once more instead of starting a second one.
    bool searching_ = false;
    bool searchAgain_ = false;
};
