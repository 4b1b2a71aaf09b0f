// The uninstaller cannot delete its own file while it runs: it asks Windows
// to delete it at the next start.
#pragma once

#include "removal_report.h"

// When the running program is the installed copy in the Windows directory,
// schedules its deletion and records the outcome in the report. A copy run
// from elsewhere (the distribution medium) is not touched.
void ScheduleSelfRemoval(RemovalReport& report);
