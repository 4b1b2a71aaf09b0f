// CCmdTarget: message-map lookup and command dispatch.
#include "cmd_target.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, AfxSig_end, (AFX_PMSG)0}};
    static const AFX_MSGMAP map = {NULL, entries};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP_ENTRY* CCmdTarget::FindEntry(UINT nMessage, UINT nCode, UINT nID) const
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : NULL) {
        for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->nSig != AfxSig_end; ++entry) {
            if (entry->nMessage != nMessage)
                continue;
            if (nMessage == WM_COMMAND && (entry->nCode != nCode || entry->nID != nID))
                continue;
            return entry;
        }
        // A class's map lists its own entries only; its base map comes next.
        if (map->pfnGetBaseMap == NULL)
            break;
    }
    return NULL;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode)
{
    // Accelerators send code 1; they stand for the same commands as the menu.
    UINT code = (nCode == 1) ? 0 : (UINT)nCode;
    const AFX_MSGMAP_ENTRY* entry = FindEntry(WM_COMMAND, code, nID);
    if (!entry || entry->nSig != AfxSig_cmd)
        return FALSE;
    (this->*(entry->pfn))();
    return TRUE;
}
