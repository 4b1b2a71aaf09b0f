// CGdiObject, owner of one GDI handle, and CPalette.
#pragma once

#include "object.h"

class CGdiObject : public CObject {
    DECLARE_DYNCREATE(CGdiObject)
public:
    CGdiObject() = default;
    ~CGdiObject() override;

    HGDIOBJ m_hObject = NULL;

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    // Takes ownership of a handle; FALSE when handle is NULL.
    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();
    BOOL DeleteObject();

    // Used by the temporary map: wraps without owning.
    void AttachTemporary(HGDIOBJ hObject);

protected:
    BOOL m_bOwned = TRUE;
};

class CPalette : public CGdiObject {
    DECLARE_DYNCREATE(CPalette)
public:
    CPalette() = default;

    static CPalette* FromHandle(HPALETTE hPalette);
    static void DeleteTempMap();

    operator HPALETTE() const { return (HPALETTE)m_hObject; }
    BOOL CreatePalette(LPLOGPALETTE lpLogPalette);
    int GetEntryCount();
    UINT GetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) const;
    UINT SetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors);
    BOOL ResizePalette(UINT nNumEntries);
    UINT GetNearestPaletteIndex(COLORREF crColor) const;
};
