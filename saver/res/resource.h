// Resource identifiers of the screen saver.
#pragma once

// Dialogs
#define IDD_ABOUT 103
#define IDD_CONFIGURE 2003
#define IDD_PICTURE_FOLDERS 2004

// Configuration dialog controls
#define IDC_FULLSCREEN 1000
#define IDC_UPDATE_RATE 1001
#define IDC_UPDATE_RATE_ARROWS 1002
#define IDC_ABOUT 1004
#define IDC_PICTURE_FOLDERS 1010  // "Images...", made when the dialog opens

// Picture folders dialog controls
#define IDC_FOLDER_LIST 1020
#define IDC_ADD_FOLDER 1021
#define IDC_REMOVE_FOLDER 1022
#define IDC_SUBFOLDERS 1023
#define IDC_SHUFFLE 1024
#define IDC_KEEP_PROPORTIONS 1025
#define IDC_ALL_MONITORS 1026
#define IDC_TRANSITION_WIPE 1027  // the first of the two transition buttons
#define IDC_TRANSITION_FADE 1028

// Controls without an identifier of their own (group boxes, labels, credit lines)
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Strings
#define IDS_DESCRIPTION 1
