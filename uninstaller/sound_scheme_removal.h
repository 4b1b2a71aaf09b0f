// Taking the "VRX 2" sound scheme out of the current user's event sounds.
#pragma once

#include <string>
#include <vector>

#include "removal_report.h"

// Deletes the scheme's sixteen event sounds and its name, when they are
// there; events that still play our sounds (the scheme's own, or a file of
// one of soundFolders) get the Windows default scheme's sound back (none
// when it has none); the current scheme becomes ".Default" when it is still
// ours. A scheme that is not registered leaves nothing to do.
void RemoveSoundScheme(const std::vector<std::string>& soundFolders, RemovalReport& report);
