// Resource identifiers of the uninstaller.
#pragma once

// ---- Icon: the product's, the setup's own, for the list of programs -------
#define IDI_PRODUCT 128

// ---- Strings: the product's name (caption of every message) ----------------
#define IDS_PRODUCT_NAME 1

// ---- Strings: the question ------------------------------------------------
#define IDS_CONFIRM 10
#define IDS_CONFIRM_NO_FOLDER 11
#define IDS_AND 12

// ---- Strings: the closing report ----------------------------------------
#define IDS_REMOVED 20
#define IDS_FOLDERS_KEPT 21
#define IDS_SELF_SCHEDULED 22
#define IDS_SELF_NOT_SCHEDULED 23
#define IDS_NOT_ALL_REMOVED 24
#define IDS_MORE_ITEMS 25
#define IDS_RUN_AGAIN 26
#define IDS_FILES_KEPT 27
#define IDS_NO_FILE_RECORD 28
#define IDS_SAVER_NOT_RESTORED 29

// ---- Strings: refusals (nothing changed) ---------------------------------
#define IDS_NOT_INSTALLED 30
#define IDS_BAD_PATH 31
#define IDS_UNKNOWN_SWITCH 32
#define IDS_ALREADY_RUNNING 33
#define IDS_FOREIGN_PATH 34
