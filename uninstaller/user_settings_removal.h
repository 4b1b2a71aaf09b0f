// The saver's display settings that a user without the right to change the
// machine's key keeps under HKEY_CURRENT_USER.
#pragma once

#include "removal_report.h"

// Deletes the settings key of the user who runs the uninstaller, then the
// vendor's key of that user when nothing else is left in it.
void RemoveUserSettings(RemovalReport& report);
