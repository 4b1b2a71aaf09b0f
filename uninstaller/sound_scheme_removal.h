// Taking the "VRX 2" sound scheme out of the current user's event sounds.
#pragma once

#include <string>

#include "removal_report.h"

// Deletes the scheme's sixteen event sounds and its name; events that still
// play our sounds get the Windows default scheme's sound back (none when it
// has none); the current scheme becomes ".Default" when it is still ours.
void RemoveSoundScheme(const std::string& soundsFolder, RemovalReport& report);
