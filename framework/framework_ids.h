// Identifiers that the framework layer reserves: standard commands, the
// application-title string, its own prompts and the first view pane.
// Plain #defines only, so that resource scripts can include it too.
#pragma once

// Standard commands routed by the framework.
#define ID_FILE_NEW 0xE100   // 57600
#define ID_FILE_OPEN 0xE101  // 57601
#define ID_APP_ABOUT 0xE140  // 57664
#define ID_APP_EXIT 0xE141   // 57665

// Strings the framework loads from the program's resources.
#define AFX_IDS_APP_TITLE 0xE000           // 57344: application title
#define AFX_IDP_FAILED_TO_OPEN_DOC 0xF100  // document could not be opened
#define AFX_IDP_PARSE_STRING_SIZE 0xF110   // text longer than its limit (%d)

// Child window identifier of a frame's view.
#define AFX_IDW_PANE_FIRST 0xE900
