#include "scheme_events.h"

namespace vrxtest {

const SchemeEvent kSchemeEvents[16] = {
    {"AppEvents\\Schemes\\Apps\\.Default\\SystemAsterisk\\", "ast.wav"},
    {"AppEvents\\Schemes\\Apps\\.Default\\Close\\", "clp.wav"},
    {"AppEvents\\Schemes\\Apps\\.Default\\SystemHand\\", "crs.wav"},
    {"AppEvents\\Schemes\\Apps\\.Default\\.Default\\", "def.wav"},
    {"AppEvents\\Schemes\\Apps\\.Default\\SystemExclamation\\", "exc.wav"},
    {"AppEvents\\Schemes\\Apps\\.Default\\SystemExit\\", "exw.wav"},
    {"AppEvents\\Schemes\\Apps\\.Default\\Maximize\\", "max.wav"},
    {"AppEvents\\Schemes\\Apps\\.Default\\MenuCommand\\", "mec.wav"},
    {"AppEvents\\Schemes\\Apps\\.Default\\MenuPopup\\", "mep.wav"},
    {"AppEvents\\Schemes\\Apps\\.Default\\Minimize\\", "min.wav"},
    {"AppEvents\\Schemes\\Apps\\.Default\\Open\\", "opp.wav"},
    {"AppEvents\\Schemes\\Apps\\.Default\\SystemQuestion\\", "que.wav"},
    {"AppEvents\\Schemes\\Apps\\.Default\\RestoreUp\\", "reu.wav"},
    {"AppEvents\\Schemes\\Apps\\.Default\\RestoreDown\\", "red.wav"},
    {"AppEvents\\Schemes\\Apps\\.Default\\SystemStart\\", "stw.wav"},
    {"AppEvents\\Schemes\\Apps\\Explorer\\EmptyRecycleBin\\", "erb.wav"},
};

}  // namespace vrxtest
