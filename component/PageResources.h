// Resource ids of TWMPCUI.dll.
#pragma once

#define IDD_SETTINGS_PAGE 100
#define IDS_PAGE_TITLE 101

#define IDC_PHONES 1001
#define IDC_ADD 1002
#define IDC_REMOVE 1003
#define IDC_TYPE 1004
#define IDC_NAME 1005
#define IDC_ATTACHED 1006
#define IDC_STREAM 1007
#define IDC_SPEED 1008
#define IDC_LATENCY 1009
