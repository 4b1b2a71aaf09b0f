// Resource identifiers of the screen saver.
#pragma once

// Dialogs
#define IDD_ABOUT 103
#define IDD_CONFIGURE 2003

// Configuration dialog controls
#define IDC_FULLSCREEN 1000
#define IDC_UPDATE_RATE 1001
#define IDC_UPDATE_RATE_ARROWS 1002
#define IDC_ABOUT 1004

// Controls without an identifier of their own (group boxes, labels, credit lines)
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Strings
#define IDS_DESCRIPTION 1
