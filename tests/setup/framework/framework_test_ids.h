// Resource identifiers of the framework tests' own dialogs.
#pragma once

#include "framework_ids.h"

#define IDD_FW_TEXT 100   // an edit whose text is exchanged with a limit
#define IDD_FW_OUTER 101  // a dialog with a button that opens another
#define IDD_FW_PLAIN 102  // OK and Cancel only

#define IDC_FW_EDIT 1000
#define IDC_FW_OPEN 1001
