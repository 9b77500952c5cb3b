// Resource and control ids of TWChimebox, shared by its resource script and
// its code.
#pragma once

#define IDD_MAIN 102
#define IDI_PROGRAM 201
#define IDI_RINGTONE 202
#define IDM_MAIN 203
#define IDD_ABOUT 205
#define IDD_LOCATION 207

// Main dialog controls.
#define IDC_GET_TONE 201
#define IDC_WRITE_TONE 202
#define IDC_STATUS 203
#define IDC_RINGTONES 204
#define IDC_ERASE_TONE 205

// Menu commands.
#define IDM_ABOUT 204
#define IDM_OPTIONS 206
#define IDM_HELP 208

// Location dialog controls (its list is IDC_RINGTONES too).
#define IDC_LOCATION_HELP 206
