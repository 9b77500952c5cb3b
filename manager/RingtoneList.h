// The ringtone list views (main window and location dialog): their icon,
// their items and the selected ringtone.
#pragma once

#include <windows.h>

#include <cstdint>

// Gives list a small-image list holding icon 202, which the list then owns.
void AttachRingtoneIcons(HWND list, HINSTANCE module);

// Appends an item with the ringtone icon and the location as item data.
void InsertRingtoneItem(HWND list, const char *text, uint16_t location);

// The location behind the selected item; false when nothing is selected.
bool SelectedRingtone(HWND list, uint16_t &location);
