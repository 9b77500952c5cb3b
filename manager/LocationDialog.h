// Dialog 207 "Select location": where a ringtone is written, a new one or
// over one of the phone's.
#pragma once

#include <windows.h>

#include <cstdint>

class MainWindow;

class LocationDialog {
public:
    explicit LocationDialog(MainWindow &owner) : owner_(owner) {}
    LocationDialog(const LocationDialog &) = delete;
    LocationDialog &operator=(const LocationDialog &) = delete;

    // IDOK when the user chose a location, IDCANCEL otherwise.
    INT_PTR Show();
    // Valid after Show returned IDOK.
    uint16_t SelectedLocation() const { return selectedLocation_; }

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitDialog(HWND window);
    bool OnCommand(HWND window, WORD id);

    MainWindow &owner_;
    uint16_t selectedLocation_ = 0;
};
