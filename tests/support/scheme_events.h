// The sixteen events of the "VRX 2" sound scheme and their files, as the
// registry must show them after an installation.
#pragma once

namespace vrxtest {

struct SchemeEvent {
    const char* eventKey;  // under HKEY_CURRENT_USER, ends with a backslash
    const char* fileName;  // in the installed sounds directory
};
extern const SchemeEvent kSchemeEvents[16];

}  // namespace vrxtest
